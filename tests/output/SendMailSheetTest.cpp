// The send-mail sheet: its text conversions, the page's controls and checks, the help, and mails sent
// from it through a real SMTP server and read back by Python's email package.

#include "output/MailMgr.h"
#include "output/PrintMainWnd.h"
#include "output/SendMailPropertySheet.h"
#include "page/Template.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/ui/ShellExecute.h"
#include "tests/output/AiosmtpdServer.h"
#include "tests/output/MailClock.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

struct TextToHtmlCase {
    const char* name;
    const char* text;
    const char* html;
};

class TextToHtmlTest : public ::testing::TestWithParam<TextToHtmlCase> {};

TEST_P(TextToHtmlTest, ConvertsTheMailText) {
    EXPECT_EQ(CString(GetParam().html), TextToHtml(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Texts, TextToHtmlTest,
                         ::testing::Values(TextToHtmlCase{"BlankAndLineBreak", "a b\r\nc", "a&nbsp;b<br>c"},
                                           TextToHtmlCase{"Empty", "", ""},
                                           TextToHtmlCase{"MarkupIsEscapedFirst", "<b>\"R&D\"</b>",
                                                          "&lt;b&gt;&quot;R&amp;D&quot;&lt;/b&gt;"},
                                           TextToHtmlCase{"AnEntityStaysText", "&nbsp; x",
                                                          "&amp;nbsp;&nbsp;x"},
                                           TextToHtmlCase{"UmlautsStay", "Grüße\r\n\r\n", "Grüße<br><br>"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureSizeTextTest, IsAThirdOfThePageScaled) {
    CTemplate page;
    page.SetPageSize({600, 300});
    EXPECT_EQ(CString("200 x 100"), PictureSizeText(page, 100));
    EXPECT_EQ(CString("100 x 50"), PictureSizeText(page, 50));
    page.SetPageSize({2100, 2970});
    EXPECT_EQ(CString("700 x 990"), PictureSizeText(page, 100));
    EXPECT_EQ(CString("70 x 99"), PictureSizeText(page, 10));
}

// The main window as the sheet sees it: it saves a fixed picture file and notes the scale it was asked.
class PictureMainWnd final : public IPrintMainWnd {
public:
    CTemplate* GetPrintTemplate() override { return &page; }
    CWnd* GetPrintParent() override { return nullptr; }
    void RunPrintJob(DEVMODE*, LPCTSTR, LPCTSTR, LPCTSTR, float, BOOL, int) override {}
    BOOL SavePageImageScaled(const CString& path, int percent) override {
        percents.push_back(percent);
        savedPaths.push_back(path);
        if (!writes)
            return FALSE;
        std::ofstream(path.GetString(), std::ios::binary) << pictureBytes;
        return TRUE;
    }
    CPictureInfo* RenderPagePictureScaled(int) override { return nullptr; }
    void ExportHtml() override {}
    void SendByMail() override {}

    CTemplate page;
    bool writes = true;
    std::string pictureBytes;
    std::vector<int> percents;
    std::vector<CString> savedPaths;
};

// Records what the help opened, answering the configured result.
class RecordingLauncher final : public IShellLauncher {
public:
    INT_PTR Open(const CString& path) override {
        opened.push_back(path);
        return result;
    }
    INT_PTR result = kShellExecuteStarted;
    std::vector<CString> opened;
};

class SendMailSheetTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        SetProfileFolderForTesting(m_profile.Path());
        m_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
        ASSERT_NE(nullptr, m_resources);
        m_previous = AfxGetResourceHandle();
        AfxSetResourceHandle(m_resources);
        m_services.SetString(367, "Seite per E-Mail senden");
        m_services.SetString(62052, "Schließen");
        m_services.SetString(208, "Es fehlt: %s");
        m_mainWnd.page.SetPageSize({2100, 2970});
        m_mainWnd.page.SetName("C:\\Vorlagen\\Grüße.tpl");
        for (int i = 0; i < 3000; ++i)
            m_mainWnd.pictureBytes.push_back(static_cast<char>(i * 13 % 256));
        SetPrintMainWnd(&m_mainWnd);
        m_manager.SetServer("127.0.0.1");
        m_manager.SetSender("anna@example.org");
    }
    void TearDown() override {
        SetPrintMainWnd(nullptr);
        AfxSetResourceHandle(m_previous);
        FreeLibrary(m_resources);
        SetProfileFolderForTesting("");
        UiTest::TearDown();
    }

    // Runs the sheet; while it shows, act gets the sheet and its send page, then the sheet is closed.
    void RunSheet(const std::function<void(CSendMailPropertySheet&, CPropertyPage&)>& act) {
        CSendMailPropertySheet sheet(&m_mainWnd.page, nullptr);
        QTimer::singleShot(0, [&] {
            act(sheet, *sheet.GetPage(0));
            sheet.EndDialog(IDCANCEL);
        });
        sheet.DoModal();
    }

    static void Fill(CPropertyPage& page, const char* recipients, const char* subject, const char* text) {
        page.SetDlgItemText(1234, recipients);
        page.SetDlgItemText(1235, subject);
        page.SetDlgItemText(1286, text);
    }
    static void Click(CWnd& window, int id) { window.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    TempFolder m_profile;
    HMODULE m_resources = nullptr;
    HINSTANCE m_previous = nullptr;
    FakeAppServices m_services;
    PictureMainWnd m_mainWnd;
    CMailMgr m_manager;
};

TEST_F(SendMailSheetTest, ShowsCloseInPlaceOfOkCancelAndTheStartValues) {
    CString caption, close, scale, size;
    bool okShown = true;
    bool applyThere = true;
    UINT plainChecked = 0;
    RunSheet([&](CSendMailPropertySheet& sheet, CPropertyPage& page) {
        sheet.GetWindowText(caption);
        okShown = sheet.GetDlgItem(IDOK)->IsWindowVisible();
        applyThere = sheet.GetDlgItem(ID_APPLY_NOW) != nullptr;
        sheet.GetDlgItem(IDCANCEL)->GetWindowText(close);
        page.GetDlgItemText(1292, scale);
        page.GetDlgItemText(1493, size);
        plainChecked = page.IsDlgButtonChecked(1442);
    });
    EXPECT_EQ(CString("Seite per E-Mail senden"), caption);
    EXPECT_FALSE(okShown);
    EXPECT_FALSE(applyThere);
    EXPECT_EQ(CString("Schließen"), close);
    EXPECT_EQ(CString("100"), scale);
    EXPECT_EQ(CString("700 x 990"), size);
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), plainChecked);
}

TEST_F(SendMailSheetTest, TypingAScaleShowsThePictureSize) {
    CString size;
    RunSheet([&](CSendMailPropertySheet&, CPropertyPage& page) {
        page.SetDlgItemText(1292, "50");
        page.GetDlgItemText(1493, size);
        // An empty field while typing shows nothing and asks nothing.
        page.SetDlgItemText(1292, "");
    });
    EXPECT_EQ(CString("350 x 495"), size);
    EXPECT_TRUE(m_services.Messages().empty());
}

TEST_F(SendMailSheetTest, WithoutRecipientsNothingIsSaved) {
    RunSheet([&](CSendMailPropertySheet&, CPropertyPage& page) {
        Fill(page, "  ", "Betreff", "Text");
        Click(page, 1492);
    });
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(407u));
    EXPECT_TRUE(m_mainWnd.percents.empty());
}

// A picture that is not written fails the sending before the server is asked; the folder it was to go
// to is gone afterwards.
TEST_F(SendMailSheetTest, APictureNotWrittenIsNotMailed) {
    m_mainWnd.writes = false;
    m_manager.SetPort(1);
    RunSheet([&](CSendMailPropertySheet&, CPropertyPage& page) {
        Fill(page, "ben@example.org", "Betreff", "Text");
        Click(page, 1492);
    });
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(7103u));
    ASSERT_EQ(1u, m_mainWnd.savedPaths.size());
    EXPECT_THAT(m_mainWnd.savedPaths[0].GetString(), ::testing::EndsWith("/Grüße.jpg"));
    EXPECT_FALSE(
        std::filesystem::exists(std::filesystem::path(m_mainWnd.savedPaths[0].GetString()).parent_path()));
}

struct ScaleCase {
    const char* typed;
    int sent;
};

TEST_F(SendMailSheetTest, TheScaleIsClampedWhenSending) {
    m_manager.SetPort(1);
    for (const ScaleCase& scale : {ScaleCase{"5", 10}, ScaleCase{"500", 300}, ScaleCase{"120", 120}}) {
        CString shown;
        m_mainWnd.percents.clear();
        RunSheet([&](CSendMailPropertySheet&, CPropertyPage& page) {
            Fill(page, "ben@example.org", "Betreff", "Text");
            page.SetDlgItemText(1292, scale.typed);
            Click(page, 1492);
            page.GetDlgItemText(1292, shown);
        });
        EXPECT_THAT(m_mainWnd.percents, ElementsAre(scale.sent)) << scale.typed;
        EXPECT_EQ(std::to_string(scale.sent), shown.GetString());
    }
}

TEST_F(SendMailSheetTest, HelpOpensTheHelpFileOrTellsWhyNot) {
    TempFolder program;
    SetProgramFolderForTesting(program.Path());
    std::filesystem::create_directory(std::string(program.Path().GetString()) + "/hilfe");
    std::ofstream(std::string(program.Path().GetString()) + "/hilfe/email.html") << "<html></html>";
    RecordingLauncher launcher;
    SetShellLauncher(&launcher);
    struct HelpCase {
        const char* setting;
        INT_PTR launched;
        std::vector<UINT> messages;
        const char* text;
    };
    const std::string folder = program.Path().GetString();
    for (const HelpCase& help :
         {HelpCase{"hilfe/email.html", kShellExecuteStarted, {}, ""},
          HelpCase{"hilfe\\email.html", SE_ERR_NOASSOC, {174u}, ""},
          HelpCase{"hilfe/fehlt.html", kShellExecuteStarted, {0u}, "/hilfe/fehlt.html"},
          HelpCase{"fehlt/email.html", kShellExecuteStarted, {0u}, "/fehlt/email.html"}}) {
        WriteProfileString("Settings", "EmailHelpFile", help.setting);
        m_manager.LoadSettings();
        launcher.result = help.launched;
        m_services.ClearMessages();
        RunSheet([&](CSendMailPropertySheet&, CPropertyPage& page) { Click(page, 4); });
        EXPECT_EQ(help.messages, m_services.MessageIds()) << help.setting;
        if (*help.text) {
            EXPECT_EQ("Es fehlt: " + folder + help.text, m_services.Messages().at(0).text.GetString());
        }
    }
    EXPECT_THAT(launcher.opened,
                ElementsAre(program.Path() + "/hilfe/email.html", program.Path() + "/hilfe/email.html"));
    SetShellLauncher(nullptr);
    SetProgramFolderForTesting("");
}

// Prints what a recipient's program makes of the one mail in the Maildir, a field a line.
constexpr char kReader[] = R"(
import email, email.policy, glob, sys
path = glob.glob(sys.argv[1] + '/new/*')[0]
message = email.message_from_binary_file(open(path, 'rb'), policy=email.policy.default)
print('type=' + message.get_content_type())
print('subject=' + message['Subject'])
print('date=' + message['Date'].datetime.isoformat())
print('from=' + message['X-MailFrom'])
print('rcpt=' + message['X-RcptTo'])
for part in message.walk():
    if part.get_content_maintype() == 'multipart':
        continue
    content = part.get_content()
    if isinstance(content, str):
        print(part.get_content_type() + '=' + content.replace('\r\n', '|').replace('\n', '|'))
    else:
        print(part.get_content_type() + ' same=' + str(content == open(sys.argv[2], 'rb').read()) +
              ' name=' + str(part.get_filename()) + ' id=' + str(part['Content-ID']))
)";

TEST_F(SendMailSheetTest, PlainAndHtmlMailsArriveAsWritten) {
    FixedMailClock clock;
    TempFolder folder;
    const std::string base = folder.Path().GetString();
    const std::string longLine(1000, 'l');
    const std::string text = "Liebe Grüße!\r\n.x\r\n" + longLine + "\r\nEnde";
    std::ofstream(base + "/read.py") << kReader;
    std::ofstream(base + "/picture.jpg", std::ios::binary) << m_mainWnd.pictureBytes;
    for (const bool html : {false, true}) {
        const std::string serverFolder = base + (html ? "/html" : "/plain");
        std::filesystem::create_directory(serverFolder);
        AiosmtpdServer server(serverFolder);
        ASSERT_TRUE(server.Started());
        m_manager.SetPort(server.Port());
        m_services.ClearMessages();
        CString status;
        RunSheet([&](CSendMailPropertySheet&, CPropertyPage& page) {
            Fill(page, "Jürgen Meier <juergen@example.org>", "Grüße aus Köln", text.c_str());
            page.SetDlgItemText(1225, "cleo@example.org");
            if (html) {
                page.CheckDlgButton(1442, BST_UNCHECKED);
                page.CheckDlgButton(1443, BST_CHECKED);
            }
            Click(page, 1492);
            page.GetDlgItemText(1287, status);
        });
        EXPECT_THAT(m_services.MessageIds(), ElementsAre(408u));
        EXPECT_EQ(m_services.LoadString(419), status);
        const std::string read = ToolOutput("LC_ALL=C.UTF-8 /usr/bin/python3 '" + base + "/read.py' '" +
                                            server.Maildir() + "' '" + base + "/picture.jpg'");
        const std::string head = "subject=Grüße aus Köln\n"
                                 "date=2025-12-10T21:53:20+01:00\n"
                                 "from=anna@example.org\n"
                                 "rcpt=juergen@example.org, cleo@example.org\n";
        // The HTML text has no blank before its wrap width, so it starts on a line of its own.
        if (html) {
            EXPECT_EQ("type=multipart/related\n" + head +
                          "text/html=|<html><body>Liebe&nbsp;Grüße!<br>.x<br>" + longLine +
                          "<br>Ende<br> <img src=\"cid:1234567\"></body></html>\n"
                          "image/jpeg same=True name=Grüße.jpg id=<1234567>\n",
                      read);
        } else {
            EXPECT_EQ("type=multipart/mixed\n" + head + "text/plain=Liebe Grüße!|.x|" + longLine +
                          "|Ende\n"
                          "application/octet-stream same=True name=Grüße.jpg id=None\n",
                      read);
        }
    }
}

} // namespace
