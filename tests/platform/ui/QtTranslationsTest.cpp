// Qt's own dialogs speak German once the application has loaded Qt's translations.

#include "platform/ui/QtTranslations.h"

#include "tests/support/UiTestSupport.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace {

TEST(QtTranslationsTest, QtsStandardButtonsShowGermanTexts) {
    EnsureUiApplication();
    ASSERT_TRUE(LoadQtGermanTranslations());
    EXPECT_TRUE(LoadQtGermanTranslations()); // a second call keeps the one translator

    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Apply | QDialogButtonBox::Yes);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), "Abbrechen");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Apply)->text().remove('&'), "Anwenden");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Yes)->text().remove('&'), "Ja");
}

} // namespace
