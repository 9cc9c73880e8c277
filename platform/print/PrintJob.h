#pragma once
// Print jobs on the contexts of CreateDC and CPrintDialog::CreatePrinterDC. StartDoc makes the context
// draw onto the sheet through a Qt print device set up from the context's device mode: paper, orientation
// and LOGPIXELSX/Y dots per inch, the origin at the printable area's corner (PHYSICALOFFSETX/Y dots from
// the sheet's). Each StartPage/EndPage pair is one sheet; EndDoc delivers the document:
// - with DOCINFO::lpszOutput, a PDF file there;
// - on the built-in PDF printer without it, a PDF file the user chooses in a save dialog;
// - on any other printer, a job on its CUPS queue.
// A PDF file is written beside its target and takes its place at EndDoc; a failed job keeps an old file.
//
// User-interface thread only.

#include "platform/base/WinTypes.h"
#include "platform/gdi/Dc.h"

struct DOCINFO {
    int cbSize = sizeof(DOCINFO);
    LPCTSTR lpszDocName = nullptr; // the document's title
    LPCTSTR lpszOutput = nullptr;  // a file to print to, or null for the printer
    LPCTSTR lpszDatatype = nullptr;
    DWORD fwType = 0;
};
using LPDOCINFO = DOCINFO*;

inline constexpr int SP_ERROR = -1;

// A job id above 0. 0 with ERROR_CANCELLED when the user cancels the choice of the file; SP_ERROR for a
// context that is no printer's or has a job already, or a file that cannot be created.
int StartDoc(HDC dc, const DOCINFO* docInfo);
// Above 0, or SP_ERROR outside a job or inside a page.
int StartPage(HDC dc);
int EndPage(HDC dc);
// Above 0 once the document is delivered; SP_ERROR when it could not be (drawing, disk or queue). The
// context is a plain printer context again either way.
int EndDoc(HDC dc);
