// The colour dialog: the request the chooser sees, the answer it gives, the custom colours kept between
// dialogs, the cancel without a chooser, and Qt's own dialog driven as a user would.

#include "platform/ui/ColorDialog.h"

#include "platform/ui/QtColorDialogPresenter.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/platform/ui/ScriptedColorDialogPresenter.h"
#include "tests/support/UiTestSupport.h"

#include <QApplication>
#include <QColorDialog>
#include <QTimer>

namespace {

class ColorDialogTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_owner.CreatePopup(CRect(0, 0, 200, 100)));
    }

    MessageLog m_log;
    LoggingWnd m_owner{&m_log, "owner"};
};

TEST_F(ColorDialogTest, ScriptedChoiceIsTheDialogsColour) {
    ScriptedColorDialogPresenter chooser;
    chooser.QueueColor(RGB(1, 2, 3));
    CColorDialog dialog(RGB(200, 100, 50), CC_FULLOPEN | CC_ANYCOLOR, &m_owner);
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(RGB(1, 2, 3), dialog.GetColor());
    EXPECT_EQ(RGB(1, 2, 3), dialog.m_cc.rgbResult);
    ASSERT_EQ(1u, chooser.Requests().size());
    const CHOOSECOLOR& request = chooser.Requests().front();
    EXPECT_EQ(m_owner.m_hWnd, request.hwndOwner);
    EXPECT_EQ(RGB(200, 100, 50), request.rgbResult);
    EXPECT_EQ(CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT, request.Flags);
    EXPECT_EQ(CColorDialog::GetSavedCustomColors(), request.lpCustColors);
}

TEST_F(ColorDialogTest, CancelKeepsTheInitialColour) {
    ScriptedColorDialogPresenter chooser;
    chooser.QueueCancel();
    CColorDialog dialog(RGB(200, 100, 50));
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(RGB(200, 100, 50), dialog.GetColor());
}

TEST_F(ColorDialogTest, WithoutAChooserTheDialogIsCancelled) {
    CColorDialog dialog(RGB(9, 9, 9));
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
}

// Qt's dialog: shown over the owner, not the desktop's own, with the initial colour and the custom
// colours; what the user picks comes back, and a custom colour the user stored is kept.
TEST_F(ColorDialogTest, QtDialogShowsTheInitialColourAndReturnsThePickedOne) {
    CQtColorDialogPresenter presenter;
    SetColorDialogPresenter(&presenter);
    COLORREF custom[kCustomColorCount] = {};
    custom[3] = RGB(10, 20, 30);
    CColorDialog dialog(RGB(200, 100, 50), CC_FULLOPEN | CC_ANYCOLOR, &m_owner);
    dialog.m_cc.lpCustColors = custom;
    QColor shown;
    QColor shownCustom;
    bool native = true;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->currentColor();
        shownCustom = QColorDialog::customColor(3);
        native = !box->testOption(QColorDialog::DontUseNativeDialog);
        QColorDialog::setCustomColor(5, QColor(7, 8, 9));
        box->setCurrentColor(QColor(40, 50, 60));
        box->accept();
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    SetColorDialogPresenter(nullptr);
    EXPECT_EQ(QColor(200, 100, 50), shown);
    EXPECT_EQ(QColor(10, 20, 30), shownCustom);
    EXPECT_FALSE(native);
    EXPECT_EQ(RGB(40, 50, 60), dialog.GetColor());
    EXPECT_EQ(RGB(7, 8, 9), custom[5]);
}

TEST_F(ColorDialogTest, QtDialogRejectedIsACancel) {
    CQtColorDialogPresenter presenter;
    SetColorDialogPresenter(&presenter);
    CColorDialog dialog(RGB(200, 100, 50), 0, &m_owner);
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QColorDialog*>(QApplication::activeModalWidget()))
            box->reject();
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    SetColorDialogPresenter(nullptr);
    EXPECT_EQ(RGB(200, 100, 50), dialog.GetColor());
}

} // namespace
