// The colour and duplex choice of a device mode as the IPP attributes a CUPS job carries.

#include "platform/print/CupsJobOptions.h"

#include "platform/print/DevMode.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string Joined(const std::vector<CupsJobOption>& options) {
    std::string text;
    for (const auto& [name, value] : options)
        text += std::string(text.empty() ? "" : " ") + name + "=" + value;
    return text;
}

TEST(CupsJobOptionsTest, ColourAndDuplexBecomeJobAttributes) {
    struct Case {
        SHORT color;
        SHORT duplex;
        const char* attributes;
    };
    const Case cases[] = {
        {DMCOLOR_COLOR, DMDUP_SIMPLEX, "print-color-mode=color sides=one-sided"},
        {DMCOLOR_MONOCHROME, DMDUP_VERTICAL, "print-color-mode=monochrome sides=two-sided-long-edge"},
        {DMCOLOR_COLOR, DMDUP_HORIZONTAL, "print-color-mode=color sides=two-sided-short-edge"},
        {0, 0, ""},
        {7, DMDUP_SIMPLEX, "sides=one-sided"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.attributes);
        EXPECT_EQ(Joined(CupsJobOptions(test.color, test.duplex)), test.attributes);
    }
}

} // namespace
