#include "platform/base/AppServices.h"

#include "tests/support/FakeAppServices.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct ButtonCase {
    const char* name;
    UINT style;
    int answer;
};

class DefaultButtonTest : public testing::TestWithParam<ButtonCase> {};

// Without a window the built-in services answer what pressing Enter would: the focused button.
TEST_P(DefaultButtonTest, BuiltInServicesAnswerTheFocusedButton) {
    const ButtonCase& c = GetParam();
    EXPECT_EQ(DefaultMessageBoxButton(c.style), c.answer);
    testing::internal::CaptureStderr();
    EXPECT_EQ(AppServices().MessageBoxText("Fehler beim Speichern", c.style, 0), c.answer);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fehler beim Speichern\n");
}

INSTANTIATE_TEST_SUITE_P(
    Styles, DefaultButtonTest,
    testing::Values(ButtonCase{"Ok", MB_OK | MB_ICONEXCLAMATION, IDOK},
                    ButtonCase{"OkCancelSecond", MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
                    ButtonCase{"YesNoCancel", MB_YESNOCANCEL | MB_ICONQUESTION, IDYES},
                    ButtonCase{"YesNoCancelThird", MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
                    ButtonCase{"YesNoSecond", MB_YESNO | MB_DEFBUTTON2, IDNO},
                    ButtonCase{"AbortRetryIgnoreSecond", MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
                    ButtonCase{"RetryCancel", MB_RETRYCANCEL, IDRETRY},
                    ButtonCase{"FocusBeyondTheButtons", MB_YESNO | MB_DEFBUTTON3, IDYES},
                    ButtonCase{"UnknownSet", 0x0007, IDOK}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppServicesTest, BuiltInServicesHaveNoModulesAndNormalMode) {
    IAppServices& services = AppServices();
    EXPECT_EQ(services.GetEffectsModule(), nullptr);
    EXPECT_EQ(services.GetRastrumModule(), nullptr);
    EXPECT_EQ(services.GetResourceModule(), nullptr);
    EXPECT_FALSE(services.IsEditMode());
    EXPECT_STREQ(services.GetVersionTag(), "4.1.a");
    EXPECT_TRUE(services.LoadString(208).IsEmpty());
    EXPECT_FALSE(services.IsSavePromptEnabled());
}

TEST(AppServicesTest, FakeIsInstalledForItsLifetimeAndRecordsMessages) {
    IAppServices* builtIn = &AppServices();
    {
        FakeAppServices fake;
        EXPECT_EQ(&AppServices(), &fake);
        fake.SetString(165, "Das Bild konnte nicht geladen werden.");
        fake.QueueAnswers({IDNO});

        EXPECT_EQ(AppServices().MessageBox(165, MB_YESNO, 7), IDNO);
        EXPECT_EQ(AppServices().MessageBox(999, MB_OKCANCEL), IDOK); // answers ran out: default button
        EXPECT_EQ(AppServices().MessageBoxText("XML Libraries missing !"), IDOK);

        const auto& shown = fake.Messages();
        ASSERT_EQ(shown.size(), 3u);
        EXPECT_EQ(shown[0].text, "Das Bild konnte nicht geladen werden.");
        EXPECT_EQ(shown[0].style, MB_YESNO);
        EXPECT_EQ(shown[0].helpId, 7u);
        EXPECT_TRUE(shown[1].text.IsEmpty()); // an id the table lacks shows an empty text
        EXPECT_EQ(shown[2].text, "XML Libraries missing !");
        EXPECT_EQ(fake.MessageIds(), (std::vector<UINT>{165, 999, 0}));
        EXPECT_EQ(AppServices().LoadString(165), "Das Bild konnte nicht geladen werden.");
    }
    EXPECT_EQ(&AppServices(), builtIn);
}

TEST(AppServicesTest, FakeVersionTagFollowsTheEditModeAtTheMomentOfTheCall) {
    FakeAppServices fake;
    EXPECT_STREQ(AppServices().GetVersionTag(), "4.1.a");
    fake.SetEditMode(TRUE);
    EXPECT_TRUE(AppServices().IsEditMode());
    EXPECT_STREQ(AppServices().GetVersionTag(), "4.1.b");
    AppServices().SetLoadedProjectVersion("4.1.b");
    EXPECT_EQ(AppServices().GetLoadedProjectVersion(), "4.1.b");
}

} // namespace
