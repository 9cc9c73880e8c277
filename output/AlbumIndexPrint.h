#pragma once
// The album index: sheets of 5 x 5 cells, each holding one photo loaded in full from its file and
// scaled to fit, its title below it, and the album's name at the top of the first sheet.

#include "platform/base/String.h"

#include <vector>

class CDC;
class CDSObj;

// Prints photos (album order) on printerDC as one document. range, firstPage and lastPage are the
// album print options' values (CPrnAlbumDlg): with range set only photos firstPage to lastPage (1-based)
// print, else all. A photo that cannot be loaded, or has no width or height, gets no cell. Message 105
// when the document cannot be started (silent when the user or the spooler cancelled it) or ended.
// Nothing happens without a context; the context stays the caller's, who deletes it afterwards.
void PrintAlbumIndex(CDC* printerDC, const CString& albumName, const std::vector<const CDSObj*>& photos,
                     int range, UINT firstPage, UINT lastPage);
