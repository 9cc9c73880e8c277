// Shows the send-mail sheet with its preview page, the mail settings, the internet panel and the web page's
// Save As dialog with the program's language modules and saves a picture of each: mail_dialogs_screenshot
// FOLDER. Run under Xvfb so that a person can judge them.

#include "image/PictureInfo.h"
#include "output/HtmlSaveDlg.h"
#include "output/InternetDlg.h"
#include "output/MailMgr.h"
#include "output/MailSettingsDlg.h"
#include "output/PrintMainWnd.h"
#include "output/SendMailPropertySheet.h"
#include "page/Template.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/ui/QtFileChooser.h"
#include "platform/ui/QtTranslations.h"
#include "platform/ui/WindowRecord.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/GallerySupport.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace {

// The shown top-level window holding a control with that id.
CWnd* WindowWith(int id) {
    for (QWidget* topLevel : QApplication::topLevelWidgets()) {
        if (!topLevel->isVisible())
            continue;
        for (const QWidget* widget : topLevel->findChildren<QWidget*>()) {
            const HWND window = WindowOfWidget(widget);
            if (window && CWnd::FromHandle(window)->GetDlgCtrlID() == id)
                return CWnd::FromHandle(WindowOfWidget(topLevel));
        }
    }
    return nullptr;
}

// Runs show (a modal run) until its picture is taken; act prepares the window found by its control id,
// finish ends it.
bool Shoot(int controlId, const CString& path, const std::function<void(CWnd&)>& act,
           const std::function<void(CWnd&)>& finish, const std::function<void()>& show) {
    bool saved = false;
    QTimer::singleShot(300, [&] {
        CWnd* window = WindowWith(controlId);
        if (!window)
            return;
        act(*window);
        saved = SaveWindowPicture(*window, path);
        finish(*window);
    });
    show();
    return saved;
}

CWnd* Descendant(CWnd* parent, int id) {
    for (CWnd* child = parent->GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (child->GetDlgCtrlID() == id)
            return child;
        if (CWnd* found = Descendant(child, id))
            return found;
    }
    return nullptr;
}

// The page as the preview shows it: a plain blue picture of a third of the page size.
class PreviewMainWnd final : public IPrintMainWnd {
public:
    explicit PreviewMainWnd(CTemplate& page) : m_page(page) {}
    CTemplate* GetPrintTemplate() override { return &m_page; }
    CWnd* GetPrintParent() override { return nullptr; }
    void RunPrintJob(DEVMODE*, LPCTSTR, LPCTSTR, LPCTSTR, float, BOOL, int) override {}
    BOOL SavePageImageScaled(const CString&, int) override { return FALSE; }
    CPictureInfo* RenderPagePictureScaled(int percent) override {
        const CSize size = m_page.GetPageSize();
        return CPictureInfo::CreateFilled(CSize(size.cx / 3 * percent / 100, size.cy / 3 * percent / 100),
                                          RGB(0x50, 0x90, 0xD0), 24);
    }
    void ExportHtml() override {}
    void SendByMail() override {}

private:
    CTemplate& m_page;
};

void Cancel(CWnd& window) {
    window.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    EnsureUiApplication();
    LoadQtGermanTranslations();
    const CString folder = CString(argv[1]) + "/";
    FakeAppServices services;
    TempFolder profile;
    SetProfileFolderForTesting(profile.Path());
    WriteProfileString("Settings", "SMTPServer", "mail.example.org");
    WriteProfileString("Settings", "MailSender", "anna@example.org");
    const HMODULE resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    const HMODULE texts = LoadLibrary(VC_PROGRAM_DIR "/qz_txt.deu");
    if (!resources || !texts)
        return 1;
    services.SetResourceModule(resources);
    services.SetTextModule(texts);
    for (UINT id : {1u, 18u, 271u, 272u, 273u, 367u, 62052u, 417u})
        services.SetString(id, LoadWholeString(texts, id, 256));
    AfxSetResourceHandle(resources);
    CMailMgr mail;
    mail.LoadSettings();
    CQtFileChooser chooser;
    SetFileChooser(&chooser);

    CTemplate page;
    page.SetPageSize({2100, 2970});
    page.SetName("Postkarte.tpl");
    CSendMailPropertySheet sheet(&page, nullptr);
    bool saved = Shoot(
        1492, folder + "send-mail.png",
        [&](CWnd&) {
            CPropertyPage& send = *sheet.GetPage(0);
            send.SetDlgItemText(1234, "Jürgen Meier <juergen@example.org>");
            send.SetDlgItemText(1235, "Grüße aus dem Urlaub");
            send.SetDlgItemText(1286, "Liebe Grüße vom Meer!\r\nBis bald, Anna");
            send.SetDlgItemText(1287, services.LoadString(417));
        },
        Cancel, [&] { sheet.DoModal(); });

    PreviewMainWnd previewMainWnd(page);
    SetPrintMainWnd(&previewMainWnd);
    CSendMailPropertySheet previewSheet(&page, nullptr);
    saved = Shoot(
                1492, folder + "preview.png", [&](CWnd&) { previewSheet.SetActivePage(1); }, Cancel,
                [&] { previewSheet.DoModal(); }) &&
            saved;
    SetPrintMainWnd(nullptr);

    CMailSettingsDlg settings;
    saved = Shoot(
                1236, folder + "mail-settings.png", [](CWnd&) {}, Cancel, [&] { settings.DoModal(); }) &&
            saved;

    const POINT anchor{300, 200};
    CInternetDlg panel(&anchor, nullptr);
    saved = Shoot(
                150, folder + "internet-panel.png", [](CWnd&) {}, Cancel, [&] { panel.DoModal(); }) &&
            saved;

    int size[2] = {800, 1131};
    BOOL open = TRUE;
    saved = Shoot(
                1013, folder + "html-save.png", [](CWnd&) {},
                [](CWnd& frame) {
                    if (CWnd* field = Descendant(&frame, 1013))
                        Cancel(*field->GetParent());
                },
                [&] { RunHtmlSaveDialog(size, &open, 2970.0f / 2100.0f, nullptr); }) &&
            saved;

    SetFileChooser(nullptr);
    FreeLibrary(texts);
    FreeLibrary(resources);
    SetProfileFolderForTesting("");
    return saved ? 0 : 1;
}
