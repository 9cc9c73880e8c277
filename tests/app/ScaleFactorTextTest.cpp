// The print scale factor's two checks: while typing and on leaving the field.

#include "app/ScaleFactorText.h"

#include <gtest/gtest.h>

namespace {

struct ScaleCase {
    const char* text;
    bool whileTyping;
    bool onLeaving;
};

TEST(ScaleFactorTextTest, TypingWantsOneCharacterOrASignLeavingWantsALeadingNumberInRange) {
    const ScaleCase cases[] = {
        {"7", true, true},    {"-7", true, true},    {"0", true, true},   {"-9", true, true},
        {"10", false, false}, {"-10", false, false}, {"07", false, true}, {"-", true, false},
        {"5x", false, true},  {"x", false, false},   {"-5x", true, true}, {"99", false, false},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ScaleFactorPassesWhileTyping(c.text), c.whileTyping);
        EXPECT_EQ(ScaleFactorPassesOnLeaving(c.text), c.onLeaving);
    }
}

} // namespace
