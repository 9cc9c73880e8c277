#pragma once
// CPrintDialog: the print set-up of one printer, held as a device mode and device names in global memory
// blocks, with the printer device context made from them.
//
// Ownership as in the framework: the dialog frees m_pd.hDevMode and m_pd.hDevNames only where DoModal
// replaces them, and never m_pd.hDC; whoever holds the dialog frees them (GlobalFree, DeleteDC) before
// deleting it.

#include "platform/base/GlobalMemory.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/print/DevMode.h"

class CWnd;

inline constexpr DWORD PD_ALLPAGES = 0x00000000;
inline constexpr DWORD PD_SELECTION = 0x00000001;
inline constexpr DWORD PD_PAGENUMS = 0x00000002;
inline constexpr DWORD PD_NOSELECTION = 0x00000004;
inline constexpr DWORD PD_NOPAGENUMS = 0x00000008;
inline constexpr DWORD PD_COLLATE = 0x00000010;
inline constexpr DWORD PD_PRINTTOFILE = 0x00000020;
inline constexpr DWORD PD_PRINTSETUP = 0x00000040;
inline constexpr DWORD PD_NOWARNING = 0x00000080;
inline constexpr DWORD PD_RETURNDC = 0x00000100;
inline constexpr DWORD PD_RETURNIC = 0x00000200;
inline constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
inline constexpr DWORD PD_SHOWHELP = 0x00000800;
inline constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
inline constexpr DWORD PD_USEDEVMODECOPIESANDCOLLATE = PD_USEDEVMODECOPIES;
inline constexpr DWORD PD_DISABLEPRINTTOFILE = 0x00080000;
inline constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;

// Why the last CPrintDialog::DoModal ended without a choice (CommDlgExtendedError); 0 for the user's Cancel.
inline constexpr DWORD CDERR_DIALOGFAILURE = 0xFFFF;   // the set-up's window could not be made
inline constexpr DWORD PDERR_PRINTERNOTFOUND = 0x100B; // the set-up's printer is not there (any more)
DWORD CommDlgExtendedError();

struct PRINTDLG {
    HGLOBAL hDevMode = nullptr;  // a DEVMODE
    HGLOBAL hDevNames = nullptr; // a DEVNAMES with its three names
    HDC hDC = nullptr;
    DWORD Flags = 0;
    WORD nFromPage = 0;
    WORD nToPage = 0;
    WORD nMinPage = 0;
    WORD nMaxPage = 0;
    WORD nCopies = 1;
};

class CPrintDialog {
public:
    // printSetupOnly adds PD_PRINTSETUP to the flags. The parent is kept for the dialog's window.
    CPrintDialog(BOOL printSetupOnly,
                 DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                               PD_NOSELECTION,
                 CWnd* parent = nullptr);
    virtual ~CPrintDialog() = default;
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // The set-up window on the held printer (the default printer when none is held) and its settings.
    // OK puts the choice into m_pd.hDevMode and m_pd.hDevNames: new blocks for another printer, the old
    // ones freed; with PD_RETURNDC also a context into m_pd.hDC. IDCANCEL when cancelled or, with
    // PDERR_PRINTERNOTFOUND from CommDlgExtendedError, when the held printer cannot be opened.
    virtual INT_PTR DoModal();
    // Fills m_pd.hDevMode and m_pd.hDevNames (new movable blocks) with the default printer and its own
    // settings, and m_pd.hDC with a device context for it when PD_RETURNDC is set. FALSE, with nothing
    // changed, when the dialog already holds a device mode or device names, or the default printer
    // cannot be opened (with none installed it is the built-in PDF printer, which always opens).
    BOOL GetDefaults();
    // The device mode, locked once more (the framework's rule: the caller's lock is never undone here);
    // null when there is none.
    DEVMODE* GetDevMode() const;
    // The names of m_pd.hDevNames; empty when there is none or its offsets lie outside the block.
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;
    // A device context for the printer and settings of m_pd, kept in m_pd.hDC (over any context held
    // there, which the caller deletes first) and returned; null when the dialog holds no device names or
    // the printer cannot be opened.
    HDC CreatePrinterDC();

    PRINTDLG m_pd;

protected:
    CWnd* m_pParentWnd;
};

// A movable block holding a DEVNAMES record with the three names; null when it cannot be had.
HGLOBAL MakeDevNames(const CString& driver, const CString& device, const CString& port, WORD defaultFlag);
