#include "platform/base/DialogTemplate.h"

#include "platform/base/Module.h"

#include <gtest/gtest.h>
#include <string>

namespace {

bool Parse(const std::string& json, DialogTemplate& dialog) {
    return ParseDialogTemplate(reinterpret_cast<const BYTE*>(json.data()), static_cast<DWORD>(json.size()),
                               dialog);
}

TEST(DialogTemplateTest, ReadsEveryFieldOfATemplate) {
    DialogTemplate dialog;
    ASSERT_TRUE(Parse(R"({"id": 174, "size": [300, 96], "caption": "Bitte warten …",
        "style": ["WS_POPUP", "WS_CAPTION"], "exStyle": ["WS_EX_TOPMOST"], "font": ["Arial", 9],
        "controls": [
            {"class": "msctls_progress32", "id": 1003, "rect": [16, 18, 220, 18]},
            {"class": "Static", "id": -1, "rect": [-4, 0, 40, 18], "text": "0%", "style": ["SS_RIGHT"]}]})",
                      dialog));
    EXPECT_EQ(dialog.id, 174u);
    EXPECT_EQ(dialog.size, CSize(300, 96));
    EXPECT_EQ(dialog.caption, "Bitte warten …");
    EXPECT_EQ(dialog.style, (std::vector<CString>{"WS_POPUP", "WS_CAPTION"}));
    EXPECT_EQ(dialog.exStyle, (std::vector<CString>{"WS_EX_TOPMOST"}));
    EXPECT_EQ(dialog.fontFace, "Arial");
    EXPECT_EQ(dialog.fontPoints, 9);
    ASSERT_EQ(dialog.controls.size(), 2u);
    EXPECT_EQ(dialog.controls[0].className, "msctls_progress32");
    EXPECT_EQ(dialog.controls[0].id, 1003);
    EXPECT_EQ(dialog.controls[0].rect, CRect(16, 18, 236, 36)) << "x, y, width, height";
    EXPECT_TRUE(dialog.controls[0].text.IsEmpty());
    EXPECT_EQ(dialog.controls[1].id, -1);
    EXPECT_EQ(dialog.controls[1].rect, CRect(-4, 0, 36, 18));
    EXPECT_EQ(dialog.controls[1].style, (std::vector<CString>{"SS_RIGHT"}));
}

TEST(DialogTemplateTest, RefusesMalformedTemplatesWhole) {
    struct Case {
        const char* what;
        const char* json;
    };
    const Case cases[] = {
        {"not JSON", R"({"id": 1, "size": [1, 1], "controls": [)"},
        {"an array", R"([])"},
        {"no id", R"({"size": [1, 1], "controls": []})"},
        {"id 0", R"({"id": 0, "size": [1, 1], "controls": []})"},
        {"id beyond 16 bits", R"({"id": 65536, "size": [1, 1], "controls": []})"},
        {"fractional id", R"({"id": 1.5, "size": [1, 1], "controls": []})"},
        {"id as text", R"({"id": "1", "size": [1, 1], "controls": []})"},
        {"one number for the size", R"({"id": 1, "size": [1], "controls": []})"},
        {"negative size", R"({"id": 1, "size": [-1, 1], "controls": []})"},
        {"no controls", R"({"id": 1, "size": [1, 1]})"},
        {"unknown key, a typo", R"({"id": 1, "size": [1, 1], "controls": [], "captoin": "x"})"},
        {"style in lower case", R"({"id": 1, "size": [1, 1], "controls": [], "style": ["ws_popup"]})"},
        {"style as one string", R"({"id": 1, "size": [1, 1], "controls": [], "style": "WS_POPUP"})"},
        {"font without size", R"({"id": 1, "size": [1, 1], "controls": [], "font": ["Arial"]})"},
        {"control without class",
         R"({"id": 1, "size": [1, 1], "controls": [{"id": 2, "rect": [0, 0, 1, 1]}]})"},
        {"control without rect", R"({"id": 1, "size": [1, 1], "controls": [{"class": "Button", "id": 2}]})"},
        {"rect of three numbers",
         R"({"id": 1, "size": [1, 1], "controls": [{"class": "Button", "id": 2, "rect": [0, 0, 1]}]})"},
        {"negative width",
         R"({"id": 1, "size": [1, 1], "controls": [{"class": "Button", "id": 2, "rect": [0, 0, -1, 1]}]})"},
        {"control id below -1",
         R"({"id": 1, "size": [1, 1], "controls": [{"class": "Button", "id": -2, "rect": [0, 0, 1, 1]}]})"},
        {"coordinate far off screen",
         R"({"id": 1, "size": [1, 1], "controls": [{"class": "Button", "id": 2, "rect": [0, 99999, 1, 1]}]})"},
        {"text as number",
         R"({"id": 1, "size": [1, 1], "controls": [{"class": "Button", "id": 2, "rect": [0, 0, 1, 1], "text": 3}]})"},
    };
    for (const Case& c : cases) {
        DialogTemplate dialog;
        dialog.caption = "untouched";
        EXPECT_FALSE(Parse(c.json, dialog)) << c.what;
        EXPECT_EQ(dialog.caption, "untouched") << c.what;
    }
    DialogTemplate dialog;
    EXPECT_FALSE(ParseDialogTemplate(nullptr, 0, dialog));
}

TEST(DialogTemplateTest, LoadsATemplateOfAModuleById) {
    HMODULE module = LoadLibrary(VC_TEST_RESOURCE_MODULE);
    ASSERT_NE(module, nullptr);
    DialogTemplate dialog;
    ASSERT_TRUE(LoadDialogTemplate(module, 300, dialog));
    EXPECT_EQ(dialog.caption, "Frage");
    ASSERT_EQ(dialog.controls.size(), 2u);
    EXPECT_EQ(dialog.controls[1].text, "Ja");
    EXPECT_FALSE(LoadDialogTemplate(module, 301, dialog));
    EXPECT_FALSE(LoadDialogTemplate(module, 0, dialog));
    EXPECT_FALSE(LoadDialogTemplate(nullptr, 300, dialog));
    FreeLibrary(module);
}

} // namespace
