// What start-up installs: the category panel's and the print dialog's information buttons reach the two
// dialogs, and an entry or template that is missing opens none.

#include "resmanager/InfoDialogs.h"

#include "albums/ResourceInfoDialogs.h"
#include "library/DSAlbum.h"
#include "library/Photo.h"
#include "output/TemplateInfoOpener.h"
#include "page/Template.h"
#include "resmanager/ResourceInfoDlg.h"
#include "resmanager/TemplateInfoDlg.h"
#include "tests/albums/AlbumDialogsFixture.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class InfoDialogsTest : public AlbumDialogsTest {
protected:
    void TearDown() override {
        SetResourceInfoDialogs(nullptr);
        SetTemplateInfoOpener(nullptr);
        AlbumDialogsTest::TearDown();
    }

    // Records the class and caption of the dialog that the code under test shows next, and closes it.
    void RecordNextDialog() {
        QTimer::singleShot(0, [this] {
            CDialog* dialog = nullptr;
            for (int i = 0; i < 200 && !dialog; ++i) {
                dialog = dynamic_cast<CDialog*>(CWnd::GetActiveWindow());
                if (!dialog)
                    PumpMessages();
            }
            ASSERT_NE(dialog, nullptr);
            CString caption;
            dialog->GetWindowText(caption);
            const char* kind = dynamic_cast<CResourceInfoDlg*>(dialog)   ? "resource"
                               : dynamic_cast<CTemplateInfoDlg*>(dialog) ? "template"
                                                                         : "other";
            m_shown.push_back(std::string(kind) + ": " + caption.str());
            dialog->EndDialog(IDOK);
        });
    }

    std::vector<std::string> m_shown;
};

TEST_F(InfoDialogsTest, InstalledDialogsServeThePanelAndThePrintDialog) {
    InstallInfoDialogs();
    ASSERT_NE(ResourceInfoDialogs(), nullptr);
    ASSERT_NE(GetTemplateInfoOpener(), nullptr);
    CDSAlbum* album = MakeAlbum("Urlaub", 1);
    ASSERT_NE(album, nullptr);
    CTemplate page;
    page.SetPageSize(CSize(2100, 2970));
    page.SetOrientation(1);

    RecordNextDialog();
    ResourceInfoDialogs()->ShowResourceInfo(album->GetHeadObject(), 596, &m_owner);
    RecordNextDialog();
    ResourceInfoDialogs()->ShowTemplateInfo(&page, &m_owner);
    RecordNextDialog();
    GetTemplateInfoOpener()->ShowTemplateInfo(&page, &m_owner);
    EXPECT_EQ(m_shown, (std::vector<std::string>{"resource: Informationen", "template: Vorlageninformationen",
                                                 "template: Vorlageninformationen"}));

    ResourceInfoDialogs()->ShowResourceInfo(nullptr, 596, &m_owner);
    GetTemplateInfoOpener()->ShowTemplateInfo(nullptr, &m_owner);
    EXPECT_EQ(m_shown.size(), 3u);
}

} // namespace
