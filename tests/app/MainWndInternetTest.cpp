// The main window's way out to the internet: the panel beside its button, the web page of the page's
// objects opened through the desktop's xdg-open, and the mode and page checks before both.

#include "app/MainWnd.h"
#include "page/Template.h"
#include "platform/ui/BitmapButton.h"
#include "platform/ui/WindowRecord.h"
#include "tests/app/MainWndPageFixture.h"
#include "tests/support/ScriptedFileChooser.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <thread>

namespace {

using ::testing::ElementsAre;

// The shown internet panel: the top-level window with the publish key.
CWnd* OpenPanel() {
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        const HWND window = widget->isVisible() ? WindowOfWidget(widget) : nullptr;
        if (window && CWnd::FromHandle(window)->GetDlgItem(150))
            return CWnd::FromHandle(window);
    }
    return nullptr;
}

// The control with that id in the shown windows other than the main window.
CWnd* FindControl(int id, const CWnd* mainWnd) {
    for (QWidget* topLevel : QApplication::topLevelWidgets()) {
        if (!topLevel->isVisible() || WindowOfWidget(topLevel) == mainWnd->m_hWnd)
            continue;
        for (const QWidget* widget : topLevel->findChildren<QWidget*>()) {
            const HWND window = WindowOfWidget(widget);
            CWnd* control = window ? CWnd::FromHandle(window) : nullptr;
            if (control && control->GetDlgCtrlID() == id)
                return control;
        }
    }
    return nullptr;
}

// xdg-mime and xdg-open stand-ins first on PATH: every file is a web page with a browser, and
// xdg-open notes what it was asked to open.
class StubDesktop {
public:
    explicit StubDesktop(const std::string& folder) : m_log(folder + "/opened.txt") {
        Script(folder + "/xdg-mime", "case \"$1 $2\" in\n"
                                     "'query filetype') echo text/html ;;\n"
                                     "'query default') echo browser.desktop ;;\n"
                                     "esac\n");
        Script(folder + "/xdg-open", "echo \"$1\" >> '" + m_log + "'\n");
        m_path = std::getenv("PATH");
        setenv("PATH", (folder + ":" + m_path).c_str(), 1);
    }
    ~StubDesktop() { setenv("PATH", m_path.c_str(), 1); }
    StubDesktop(const StubDesktop&) = delete;
    StubDesktop& operator=(const StubDesktop&) = delete;

    // What xdg-open was asked to open, once it has run (it is started detached).
    std::string Opened() const {
        for (int attempt = 0; attempt < 100 && !std::filesystem::exists(m_log); ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream file(m_log);
        std::string line;
        std::getline(file, line);
        return line;
    }

private:
    static void Script(const std::string& path, const std::string& body) {
        std::ofstream(path) << "#!/bin/sh\n" << body;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    }

    std::string m_log;
    std::string m_path;
};

class MainWndInternetTest : public MainWndPageTest {
protected:
    void SetUp() override {
        MainWndPageTest::SetUp();
        m_codecs2.LoadPlugins();
        m_services.SetString(271, "Webseiten (*.htm)|*.htm||");
    }

    CExtMgr m_codecs2{VC_PROGRAM_DIR};
    ScriptedFileChooser m_chooser;
};

TEST_F(MainWndInternetTest, ThePanelOpensBesideTheInternetButton) {
    CRect button;
    m_window->GetButton(CMainWnd::kInternet)->GetWindowRect(&button);
    CRect panel;
    QTimer::singleShot(0, [&] {
        if (CWnd* open = OpenPanel()) {
            open->GetWindowRect(&panel);
            open->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    });
    m_window->SendMessage(WM_COMMAND, MAKEWPARAM(2100, BN_CLICKED), 0);
    EXPECT_EQ(CRect(button.right + 2, button.top, button.right + 2 + 172, button.top + 57), panel);
}

TEST_F(MainWndInternetTest, TheWebPageNeedsEditModeAndAPage) {
    m_services.SetEditMode(FALSE);
    m_window->ExportHtml();
    m_services.SetEditMode(TRUE);
    m_window->ExportHtml();
    m_window->SendByMail();
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(311u, 153u, 153u));
    EXPECT_TRUE(m_chooser.Requests().empty());
}

TEST_F(MainWndInternetTest, TheWebPageIsWrittenAtTheChosenWidthAndOpened) {
    StubDesktop desktop(m_files.Path().GetString());
    CTemplate* page = EditPage();
    page->SetPageSize(CSize(2970, 2100));
    std::vector<std::string> proposed;
    m_chooser.Do([&] {
        for (int id : {1013, 1014}) {
            CString text;
            if (CWnd* field = FindControl(id, m_window))
                field->GetWindowText(text);
            proposed.push_back(text.GetString());
        }
    });
    m_chooser.Pick({File("Seite")});
    m_window->ExportHtml();
    EXPECT_THAT(proposed, ElementsAre("800", "566"));
    EXPECT_TRUE(std::filesystem::exists(File("Seite.htm").GetString()));
    EXPECT_EQ(std::string(File("Seite.htm").GetString()), desktop.Opened());
    EXPECT_TRUE(m_services.Messages().empty());
}

} // namespace
