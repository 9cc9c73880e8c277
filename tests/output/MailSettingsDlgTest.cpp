// The mail settings dialog: it shows the profile's values and writes them back only on OK.

#include "output/MailSettingsDlg.h"

#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <functional>

namespace {

class MailSettingsDlgTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        SetProfileFolderForTesting(m_folder.Path());
        m_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
        ASSERT_NE(nullptr, m_resources);
        m_previous = AfxGetResourceHandle();
        AfxSetResourceHandle(m_resources);
        WriteProfileString("Settings", "SMTPServer", "mail.example.org");
        WriteProfileString("Settings", "MailSender", "anna@example.org");
    }
    void TearDown() override {
        AfxSetResourceHandle(m_previous);
        FreeLibrary(m_resources);
        SetProfileFolderForTesting("");
        UiTest::TearDown();
    }

    // Runs the dialog; while it shows, reads its fields, types new ones and presses the button.
    int Run(int button) {
        CMailSettingsDlg dialog;
        QTimer::singleShot(0, [&] {
            dialog.GetDlgItemText(1235, m_shownSender);
            dialog.GetDlgItemText(1236, m_shownServer);
            dialog.SetDlgItemText(1235, "ben@example.org");
            dialog.SetDlgItemText(1236, "smtp.example.com");
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        });
        return static_cast<int>(dialog.DoModal());
    }

    TempFolder m_folder;
    HMODULE m_resources = nullptr;
    HINSTANCE m_previous = nullptr;
    CString m_shownSender;
    CString m_shownServer;
};

TEST_F(MailSettingsDlgTest, OkStoresBothValues) {
    EXPECT_EQ(IDOK, Run(IDOK));
    EXPECT_EQ(CString("anna@example.org"), m_shownSender);
    EXPECT_EQ(CString("mail.example.org"), m_shownServer);
    EXPECT_EQ(CString("ben@example.org"), GetProfileString("Settings", "MailSender"));
    EXPECT_EQ(CString("smtp.example.com"), GetProfileString("Settings", "SMTPServer"));
}

TEST_F(MailSettingsDlgTest, CancelStoresNothing) {
    EXPECT_EQ(IDCANCEL, Run(IDCANCEL));
    EXPECT_EQ(CString("anna@example.org"), GetProfileString("Settings", "MailSender"));
    EXPECT_EQ(CString("mail.example.org"), GetProfileString("Settings", "SMTPServer"));
}

} // namespace
