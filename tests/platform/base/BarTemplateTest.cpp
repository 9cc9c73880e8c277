// Tool bar and accelerator templates: what a well-formed one holds, and the mistakes that refuse one
// whole.

#include "platform/base/AcceleratorTemplate.h"
#include "platform/base/ToolBarTemplate.h"

#include <gtest/gtest.h>
#include <string>

namespace {

template <typename Template>
bool Parse(bool (*parse)(const BYTE*, DWORD, Template&), const std::string& json, Template& result) {
    return parse(reinterpret_cast<const BYTE*>(json.data()), static_cast<DWORD>(json.size()), result);
}

struct Case {
    const char* what;
    const char* json;
};

TEST(ToolBarTemplateTest, ReadsStripImageSizeAndButtons) {
    ToolBarTemplate bar;
    ASSERT_TRUE(Parse(ParseToolBarTemplate,
                      R"({"id": 704, "bitmap": "STRIP", "size": [16, 15], "buttons": [32873, 0, 32878]})",
                      bar));
    EXPECT_EQ(bar.id, 704u);
    EXPECT_EQ(bar.bitmap, "STRIP");
    EXPECT_EQ(bar.imageWidth, 16);
    EXPECT_EQ(bar.imageHeight, 15);
    EXPECT_EQ(bar.buttons, (std::vector<UINT>{32873, 0, 32878}));
}

TEST(ToolBarTemplateTest, RefusesMalformedTemplatesWhole) {
    const Case cases[] = {
        {"not JSON", R"({"id": 1, )"},
        {"id 0", R"({"id": 0, "bitmap": "S", "size": [1, 1], "buttons": []})"},
        {"no bitmap", R"({"id": 1, "size": [1, 1], "buttons": []})"},
        {"empty bitmap name", R"({"id": 1, "bitmap": "", "size": [1, 1], "buttons": []})"},
        {"image of width 0", R"({"id": 1, "bitmap": "S", "size": [0, 1], "buttons": []})"},
        {"one number for the size", R"({"id": 1, "bitmap": "S", "size": [16], "buttons": []})"},
        {"image larger than any bar", R"({"id": 1, "bitmap": "S", "size": [257, 16], "buttons": []})"},
        {"button id beyond 16 bits", R"({"id": 1, "bitmap": "S", "size": [1, 1], "buttons": [65536]})"},
        {"negative button id", R"({"id": 1, "bitmap": "S", "size": [1, 1], "buttons": [-1]})"},
        {"fraction", R"({"id": 1, "bitmap": "S", "size": [1, 1], "buttons": [1.5]})"},
        {"unknown key", R"({"id": 1, "bitmap": "S", "size": [1, 1], "buttons": [], "dock": true})"},
    };
    for (const Case& c : cases) {
        ToolBarTemplate bar;
        bar.id = 99;
        EXPECT_FALSE(Parse(ParseToolBarTemplate, c.json, bar)) << c.what;
        EXPECT_EQ(bar.id, 99u) << c.what << ": a refused template leaves the result alone";
    }
}

TEST(AcceleratorTemplateTest, ReadsKeysModifiersAndCommands) {
    AcceleratorTemplate table;
    ASSERT_TRUE(Parse(ParseAcceleratorTemplate, R"({"id": 704, "keys": [
        {"key": "Delete", "command": 32876}, {"key": "A", "ctrl": true, "command": 32877},
        {"key": "F12", "shift": true, "alt": true, "command": 1}, {"key": "7", "command": 2}]})",
                      table));
    EXPECT_EQ(table.id, 704u);
    ASSERT_EQ(table.keys.size(), 4u);
    EXPECT_EQ(table.keys[0].virtualKey, 0x2E);
    EXPECT_FALSE(table.keys[0].control);
    EXPECT_EQ(table.keys[0].command, 32876);
    EXPECT_EQ(table.keys[1].virtualKey, 'A');
    EXPECT_TRUE(table.keys[1].control);
    EXPECT_EQ(table.keys[2].virtualKey, 0x7B);
    EXPECT_TRUE(table.keys[2].shift && table.keys[2].alt && !table.keys[2].control);
    EXPECT_EQ(table.keys[3].virtualKey, '7');
}

TEST(AcceleratorTemplateTest, RefusesMalformedTemplatesWhole) {
    const Case cases[] = {
        {"not JSON", R"({"id": 1, )"},
        {"id 0", R"({"id": 0, "keys": []})"},
        {"lower-case letter", R"({"id": 1, "keys": [{"key": "a", "command": 1}]})"},
        {"unknown key name", R"({"id": 1, "keys": [{"key": "Enter", "command": 1}]})"},
        {"F13", R"({"id": 1, "keys": [{"key": "F13", "command": 1}]})"},
        {"F0", R"({"id": 1, "keys": [{"key": "F0", "command": 1}]})"},
        {"command 0", R"({"id": 1, "keys": [{"key": "A", "command": 0}]})"},
        {"no command", R"({"id": 1, "keys": [{"key": "A"}]})"},
        {"modifier not a flag", R"({"id": 1, "keys": [{"key": "A", "ctrl": 1, "command": 1}]})"},
        {"unknown modifier", R"({"id": 1, "keys": [{"key": "A", "win": true, "command": 1}]})"},
    };
    for (const Case& c : cases) {
        AcceleratorTemplate table;
        EXPECT_FALSE(Parse(ParseAcceleratorTemplate, c.json, table)) << c.what;
        EXPECT_TRUE(table.keys.empty()) << c.what;
    }
}

} // namespace
