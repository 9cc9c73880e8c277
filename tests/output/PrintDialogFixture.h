#pragma once
// What the print dialogs' tests share: the language module, fake printers, recorded messages, a
// profile in a temporary folder, the printers manager and a main window that records its print jobs.

#include "output/PrintMainWnd.h"
#include "output/PrintOffsets.h"
#include "output/PrintersManager.h"
#include "page/Template.h"
#include "platform/print/FakePrinterSystem.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <functional>
#include <vector>

class CDialog;

class FakePrintMainWnd final : public IPrintMainWnd, public IPrintOffsets {
public:
    struct Job {
        DEVMODE devMode{};
        CString device, driver, port;
        float scale = 0.0f;
        BOOL showHint = TRUE;
        int copies = 0;
    };

    CTemplate* GetPrintTemplate() override { return page; }
    CWnd* GetPrintParent() override { return nullptr; }
    void RunPrintJob(DEVMODE* devMode, LPCTSTR device, LPCTSTR driver, LPCTSTR port, float scale,
                     BOOL showHint, int copies) override;
    void SetPrintOffsets(float offsetX, float offsetY) override { offsets.push_back({offsetX, offsetY}); }
    BOOL SavePageImageScaled(const CString&, int) override { return FALSE; }
    CPictureInfo* RenderPagePictureScaled(int) override { return nullptr; }
    void ExportHtml() override {}
    void SendByMail() override {}

    CTemplate* page = nullptr;
    std::vector<Job> jobs;
    std::vector<std::pair<float, float>> offsets;
};

class PrintDialogTest : public UiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the dialog; once it shows, step acts on it and ends it. A dialog that ends while it opens is
    // run with DoModal alone.
    static INT_PTR RunWith(CDialog& dialog, const std::function<void(CDialog&)>& step);
    // The dialog of that class that shows next (a nested modal one), or null.
    template <typename Dialog>
    static Dialog* WaitForDialog();

    TempFolder m_folder;
    FakeAppServices m_app;
    CFakePrinterSystem m_printers;
    CPrintersManager m_printersManager;
    CTemplate m_page;
    FakePrintMainWnd m_mainWnd;
    HMODULE m_resources = nullptr;
    HINSTANCE m_previousResources = nullptr;
};

CDialog* ActiveDialog();

template <typename Dialog>
Dialog* PrintDialogTest::WaitForDialog() {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (auto* dialog = dynamic_cast<Dialog*>(ActiveDialog()))
            return dialog;
        PumpMessages();
    }
    return nullptr;
}
