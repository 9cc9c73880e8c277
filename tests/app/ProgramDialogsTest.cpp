// The page canvas's dialogs as the program runs them: the position dialog's values in the canvas's
// terms, the font dialog on its text object, and Cancel for what is missing.

#include "app/ProgramDialogs.h"

#include "page/DrawClipart.h"
#include "page/DrawText.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/WindowRecord.h"
#include "tests/app/DialogTestSupport.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace {

// The shown top-level window with a Cancel button.
CWnd* OpenDialog() {
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        const HWND window = widget->isVisible() ? WindowOfWidget(widget) : nullptr;
        CWnd* dialog = window ? CWnd::FromHandle(window) : nullptr;
        if (dialog && dialog->GetDlgItem(IDCANCEL))
            return dialog;
    }
    return nullptr;
}

class ProgramDialogsTest : public AppDialogTest {
protected:
    // Runs step inside the next dialog's loop, on the dialog that is open then.
    static void InLoop(std::function<void(CWnd&)> step) {
        QTimer::singleShot(0, [step = std::move(step)] {
            CWnd* dialog = OpenDialog();
            ASSERT_NE(dialog, nullptr);
            step(*dialog);
        });
    }
    static void Press(CWnd& dialog, int id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    CProgramDialogs m_dialogs;
};

TEST_F(ProgramDialogsTest, ThePositionComesBackInPageUnitsAndDegrees) {
    CDrawClipart clipart(CRect(10, 20, 110, 70));
    clipart.SetRotation(45);
    CString shown;
    InLoop([&](CWnd& dialog) {
        shown = ItemText(dialog, 1010);
        dialog.SetDlgItemText(1010, "12,5");
        dialog.SetDlgItemText(1008, "300");
        Press(dialog, IDOK);
    });
    ObjPosition position;
    ASSERT_EQ(m_dialogs.RunObjPosition(&clipart, position), IDOK);
    EXPECT_EQ(shown, "4,5");
    // The canvas stores tenths of a degree, truncated.
    EXPECT_EQ(static_cast<int>(position.angle * 10.0), 125);
    EXPECT_EQ(position.x, 10);
    EXPECT_EQ(position.y, 20);
    EXPECT_EQ(position.width, 300);
    EXPECT_EQ(position.height, 50);
}

TEST_F(ProgramDialogsTest, CancelledPositionLeavesThePositionAlone) {
    CDrawClipart clipart(CRect(10, 20, 110, 70));
    InLoop([&](CWnd& dialog) {
        dialog.SetDlgItemText(1114, "99");
        Press(dialog, IDCANCEL);
    });
    ObjPosition position;
    position.x = -5;
    EXPECT_EQ(m_dialogs.RunObjPosition(&clipart, position), IDCANCEL);
    EXPECT_EQ(position.x, -5);
}

TEST_F(ProgramDialogsTest, TheFontDialogEditsTheTextObject) {
    CDrawText text(CRect(0, 0, 500, 100), "Hallo");
    InLoop([&](CWnd& dialog) {
        dialog.SetDlgItemText(1128, "36");
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(1128, CBN_EDITCHANGE), 0);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(m_dialogs.RunFontProperties(&text, nullptr), IDOK);
    EXPECT_EQ(text.GetLogFont().lfHeight, -36);
}

TEST_F(ProgramDialogsTest, MissingObjectsOrDialogsAnswerCancel) {
    ObjPosition position;
    EXPECT_EQ(m_dialogs.RunFontProperties(nullptr, nullptr), IDCANCEL);
    EXPECT_EQ(m_dialogs.RunObjPosition(nullptr, position), IDCANCEL);
    // Without the template the save prompt cannot ask: nothing goes on as if the user had agreed.
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(m_dialogs.RunSaveProject(), IDCANCEL);
}

TEST_F(ProgramDialogsTest, TheDeleteQuestionIsAnsweredByTheAlbumToolsDialog) {
    InLoop([&](CWnd& dialog) { Press(dialog, IDOK); });
    DeleteImageOptions options;
    EXPECT_EQ(m_dialogs.RunDeleteImage(1, 1, options), IDOK);
}

TEST_F(ProgramDialogsTest, TheSaveProjectPromptGivesTheUsersAnswer) {
    InLoop([&](CWnd& dialog) { Press(dialog, IDNO); });
    EXPECT_EQ(m_dialogs.RunSaveProject(), IDNO);
}

} // namespace
