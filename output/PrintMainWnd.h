#pragma once
// The main window as the print dialogs, the print job, the send-mail sheet and the internet panel see it.
// The main window implements it and installs itself at start-up; tests install a fake. Without one,
// nothing is printed or mailed.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CPictureInfo;
class CTemplate;
class CWnd;
struct DEVMODE;

class IPrintMainWnd {
public:
    virtual ~IPrintMainWnd() = default;

    // The page to print: the template in edit mode, the normal-mode template otherwise; null when none.
    virtual CTemplate* GetPrintTemplate() = 0;
    // The window the print dialogs belong to.
    virtual CWnd* GetPrintParent() = 0;
    // Prints the page on the given printer (every failure is reported inside); copies from 1.
    virtual void RunPrintJob(DEVMODE* devMode, LPCTSTR device, LPCTSTR driver, LPCTSTR port, float scale,
                             BOOL showHint, int copies) = 0;
    // The page saved as a picture file at a third of its page size times percent / 100; FALSE when there
    // is no page or it was not written.
    virtual BOOL SavePageImageScaled(const CString& path, int percent) = 0;
    // A new picture of the page at that size, the caller's; null when there is no page.
    virtual CPictureInfo* RenderPagePictureScaled(int percent) = 0;
    // The internet panel's two commands: the page published as a web page, and mailed.
    virtual void ExportHtml() = 0;
    virtual void SendByMail() = 0;
};

// Installs the main window (null: none); the caller keeps ownership.
void SetPrintMainWnd(IPrintMainWnd* mainWnd);
IPrintMainWnd* GetPrintMainWnd();
