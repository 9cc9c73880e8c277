// Message boxes: the presenter the program installs sees every box with its owner, caption and style;
// the Qt presenter shows the system's German buttons and answers with the id of the one pressed.

#include "platform/ui/QtMessageBoxPresenter.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class MessageBoxTest : public UiTest {
protected:
    FakeAppServices m_services;
};

TEST_F(MessageBoxTest, BoxesGoToTheInstalledPresenterWithTheApplicationsNameAsDefaultCaption) {
    MessageLog log;
    LoggingWnd window(&log, "window");
    ASSERT_TRUE(window.CreatePopup(CRect(0, 0, 10, 10)));
    m_services.SetString(215, "Projekt speichern?");
    EXPECT_EQ(window.MessageBox("Datei fehlt", nullptr, MB_ICONHAND), IDOK);
    m_messageBoxes.QueueAnswers({IDNO});
    EXPECT_EQ(AfxMessageBox(215, MB_YESNOCANCEL), IDNO);

    const auto& boxes = m_messageBoxes.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, window.m_hWnd);
    EXPECT_EQ(boxes[0].caption, "Vellumcraft");
    EXPECT_EQ(boxes[0].style, MB_ICONHAND);
    EXPECT_EQ(boxes[1].text, "Projekt speichern?");
    EXPECT_EQ(boxes[1].style, MB_YESNOCANCEL);
}

struct QtBoxCase {
    const char* name;
    UINT style;
    std::vector<const char*> buttons;
    const char* defaultButton;
    const char* press; // null: press Esc
    int answer;
};

class QtMessageBoxTest : public UiTest, public ::testing::WithParamInterface<QtBoxCase> {};

TEST_P(QtMessageBoxTest, ShowsTheButtonsOfTheStyleAndAnswersWithThePressedOne) {
    const QtBoxCase& c = GetParam();
    CQtMessageBoxPresenter presenter;
    std::vector<std::string> shown;
    std::string defaultButton;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QAbstractButton* target = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            const std::string text = button->text().remove('&').toStdString();
            shown.push_back(text);
            if (c.press && text == c.press)
                target = button;
        }
        defaultButton = box->defaultButton()->text().remove('&').toStdString();
        if (target)
            target->click();
        else
            QTest::keyClick(box, Qt::Key_Escape);
    });

    EXPECT_EQ(presenter.Show(nullptr, "Text", "Titel", c.style), c.answer);
    EXPECT_THAT(shown, ::testing::UnorderedElementsAreArray(
                           std::vector<std::string>(c.buttons.begin(), c.buttons.end())));
    EXPECT_EQ(defaultButton, c.defaultButton);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, QtMessageBoxTest,
    ::testing::Values(QtBoxCase{"OkByEscape", MB_OK, {"OK"}, "OK", nullptr, IDOK},
                      QtBoxCase{
                          "YesNoCancelNo", MB_YESNOCANCEL, {"Ja", "Nein", "Abbrechen"}, "Ja", "Nein", IDNO},
                      QtBoxCase{"YesNoCancelEscape",
                                MB_YESNOCANCEL | MB_DEFBUTTON2,
                                {"Ja", "Nein", "Abbrechen"},
                                "Nein",
                                nullptr,
                                IDCANCEL},
                      QtBoxCase{"RetryCancel",
                                MB_RETRYCANCEL | MB_ICONEXCLAMATION,
                                {"Wiederholen", "Abbrechen"},
                                "Wiederholen",
                                "Wiederholen",
                                IDRETRY},
                      QtBoxCase{"AbortRetryIgnore",
                                MB_ABORTRETRYIGNORE,
                                {"Abbrechen", "Wiederholen", "Ignorieren"},
                                "Abbrechen",
                                "Ignorieren",
                                IDIGNORE}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBoxWithoutPresenter, AnswersTheDefaultButtonWithoutWaiting) {
    EXPECT_EQ(MessageBox(nullptr, "Hinweis", "Titel", MB_YESNO | MB_DEFBUTTON2), IDNO);
}

} // namespace
