// The main window's undo list and undo command: each record class restores the page in its mode, a
// blocking record stays, the Undo button follows the list, and every record is freed once.
#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/Template.h"
#include "page/UndoCopy.h"
#include "page/UndoCopyObj.h"
#include "page/UndoDelete.h"
#include "page/UndoDeleteDrawObj.h"
#include "page/UndoLayers.h"
#include "page/UndoNormal.h"
#include "page/UndoObject.h"
#include "page/UndoPropertiesText.h"
#include "page/UndoReplace.h"
#include "page/UndoTemplate.h"
#include "skin/TwoColorsBitmapButton.h"
#include "tests/app/MainWndPageFixture.h"

#include <functional>
#include <gmock/gmock.h>
#include <memory>
#include <string>

using ::testing::ElementsAre;

namespace {

TEST_F(MainWndPageTest, TheListOwnsItsRecordsAndTheUndoButtonFollowsIt) {
    ASSERT_NE(m_window->GetCategoryPanel(), nullptr);
    m_window->OnUndo(); // empty: nothing
    EXPECT_EQ(m_window->GetLastUndo(), nullptr);
    auto* first = new CUndoLayers(0, 9);
    auto* second = new CUndoCopyObj(3);
    m_window->AddUndo(first);
    m_window->AddUndo(second);
    EXPECT_EQ(m_window->GetLastUndo(), second);
    m_window->RemoveLastUndo();
    EXPECT_EQ(m_window->GetLastUndo(), first);
    m_window->RemoveLastUndo();
    m_window->RemoveLastUndo();
    EXPECT_THAT(m_panelLog, ElementsAre("undo 1", "undo 1", "undo 1", "undo 0"));

    // One of every class, freed by the clear (the leak checker sees any left).
    CTemplate page;
    page.InsertObject(new CDrawText(CRect(1, 1, 2, 2), "x"), -1);
    auto* image = Image(&page, "a.bmp", 0);
    page.InsertObject(image, -1);
    auto* deletion = new CUndoDelete;
    deletion->Add(new CUndoObject(0, File("a.bmp"), 1));
    deletion->Add(new CUndoDeleteDrawObj(page.GetObjectAt(0), 0));
    const std::vector<CObject*> records = {
        new CUndoNormal(0, File("a.bmp")),
        new CUndoObject(0, File("a.bmp"), 1),
        new CUndoTemplate(&page),
        new CUndoCopy(2, 1, image),
        new CUndoCopyObj(0),
        deletion,
        new CUndoDeleteDrawObj(page.GetObjectAt(0), 0),
        new CUndoLayers(0, 1),
        new CUndoPropertiesText(static_cast<CDrawText*>(page.GetObjectAt(0)), 0),
        new CUndoReplace(2, 0, 1)};
    for (CObject* record : records)
        m_window->AddUndo(record);
    m_panelLog.clear();
    m_window->ClearUndo();
    EXPECT_EQ(m_window->GetUndoCount(), 0);
    EXPECT_THAT(m_panelLog, ElementsAre("undo 0"));
}

struct NormalCase {
    const char* name;
    std::function<CObject*(const CString& folder)> record;
    bool stays;
    const char* picture; // the working picture's file afterwards
    const char* mat;
    const char* stencil;
};

TEST_F(MainWndPageTest, NormalModeRestoresThePictureAndItsAttachments) {
    const NormalCase cases[] = {
        {"Picture",
         [](const CString& folder) {
             CAdjustImage settings(false);
             settings.brightness = 30;
             settings.SetFilePath(folder + "/b.bmp");
             return new CUndoNormal(0, &settings);
         },
         false, "b.bmp", "old", "old"},
        {"MatByPath", [](const CString& folder) { return new CUndoNormal(2, folder + "/m.bmp"); }, false,
         "a.bmp", "m.bmp", "old"},
        {"NoMatForAnEmptyPath", [](const CString&) { return new CUndoNormal(2, CString()); }, false, "a.bmp",
         "none", "old"},
        {"StencilByPath", [](const CString& folder) { return new CUndoNormal(3, folder + "/s.bmp"); }, false,
         "a.bmp", "old", "s.bmp"},
        {"Blocking", [](const CString& folder) { return new CUndoNormal(-1, folder + "/b.bmp"); }, true,
         "a.bmp", "old", "old"},
        {"UnknownKind", [](const CString& folder) { return new CUndoNormal(7, folder + "/b.bmp"); }, false,
         "a.bmp", "old", "old"},
        {"EditModeClass", [](const CString&) { return new CUndoCopyObj(0); }, false, "a.bmp", "old", "old"},
        {"MissingPicture", [](const CString& folder) { return new CUndoNormal(0, folder + "/fehlt.bmp"); },
         false, "a.bmp", "old", "old"},
    };
    for (const NormalCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_services.SetEditMode(FALSE);
        ASSERT_TRUE(m_window->AddPicturesToPage(File("a.bmp")));
        auto* oldMat = new CMat;
        oldMat->SetFilePath("old");
        m_window->SetMat(oldMat);
        auto* oldStencil = new CStencil;
        oldStencil->SetFilePath("old");
        m_window->SetStencil(oldStencil);
        m_window->SetModified(FALSE);
        m_window->ClearUndo();
        m_window->AddUndo(new CUndoLayers(0, 0));
        m_window->AddUndo(c.record(m_files.Path()));
        m_window->OnUndo();
        EXPECT_EQ(m_window->GetUndoCount(), c.stays ? 2 : 1);
        EXPECT_EQ(NameOf(m_window->GetWorkBitmap()->GetFilePath()), c.picture);
        const auto entryName = [](const CDSObj* entry) {
            return entry ? NameOf(entry->GetFilePath()) : "none";
        };
        EXPECT_EQ(entryName(m_window->GetMat()), c.mat);
        EXPECT_EQ(entryName(m_window->GetNormalStencil()), c.stencil);
        if (std::string(c.name) == "Picture") {
            EXPECT_EQ(m_window->GetWorkBitmap()->brightness, 30);
            EXPECT_TRUE(m_window->IsModified());
        }
    }
}

TEST_F(MainWndPageTest, NormalModeTemplateRecordWithoutItsFileRemovesTheTemplate) {
    m_services.SetEditMode(FALSE);
    m_window->SetTemplate(new CTemplate);
    m_window->AddUndo(new CUndoNormal(1, "/nirgends.tpl"));
    m_window->OnUndo();
    EXPECT_EQ(m_window->GetNormalModeSource(), nullptr);
    EXPECT_EQ(m_window->GetUndoCount(), 0);
}

struct EditCase {
    const char* name;
    std::function<CObject*(CTemplate* page, const CString& folder)> record;
    const char* page;
    bool stays;
};

TEST_F(MainWndPageTest, EditModeRestoresEachRecordClass) {
    const EditCase cases[] = {
        {"LayersToBack", [](CTemplate*, const CString&) { return new CUndoLayers(2, 0); },
         "Hallo b.bmp a.bmp clip", false},
        {"LayersForwardOnTheLastObject", [](CTemplate*, const CString&) { return new CUndoLayers(3, 1); },
         "a.bmp Hallo b.bmp clip", false},
        {"LayersBackward", [](CTemplate*, const CString&) { return new CUndoLayers(2, 2); },
         "a.bmp b.bmp Hallo clip", false},
        {"LayersToFront", [](CTemplate*, const CString&) { return new CUndoLayers(0, 3); },
         "clip a.bmp Hallo b.bmp", false},
        {"LayersUnknownOperation", [](CTemplate*, const CString&) { return new CUndoLayers(0, 4); },
         "a.bmp Hallo b.bmp clip", false},
        {"DeleteReinsertsAndReloads",
         [](CTemplate* page, const CString& folder) {
             auto* record = new CUndoDelete;
             record->Add(new CUndoDeleteDrawObj(page->GetObjectAt(1), 1));
             record->Add(new CUndoObject(0, folder + "/c.bmp", 3));
             return record;
         },
         "a.bmp Hallo Hallo c.bmp clip", false},
        {"DeleteWithABlockingPartChangesNothing",
         [](CTemplate* page, const CString& folder) {
             auto* record = new CUndoDelete;
             record->Add(new CUndoDeleteDrawObj(page->GetObjectAt(1), 1));
             record->Add(new CUndoObject(-1, folder + "/c.bmp", 2));
             return record;
         },
         "a.bmp Hallo b.bmp clip", true},
        {"TemplateCopy",
         [](CTemplate*, const CString&) {
             CTemplate saved;
             saved.InsertObject(new CDrawText(CRect(0, 0, 9, 9), "Alt"), -1);
             return new CUndoTemplate(&saved);
         },
         "Alt", false},
        {"ObjectPicture",
         [](CTemplate*, const CString& folder) { return new CUndoObject(0, folder + "/c.bmp", 0); },
         "c.bmp Hallo b.bmp clip", false},
        {"ObjectMat",
         [](CTemplate*, const CString& folder) { return new CUndoObject(2, folder + "/m.bmp", 2); },
         "a.bmp Hallo b.bmp+mat clip", false},
        {"ObjectStencil",
         [](CTemplate*, const CString& folder) { return new CUndoObject(3, folder + "/s.bmp", 0); },
         "a.bmp+stencil Hallo b.bmp clip", false},
        {"ObjectBlocking",
         [](CTemplate*, const CString& folder) { return new CUndoObject(-1, folder + "/c.bmp", 0); },
         "a.bmp Hallo b.bmp clip", true},
        {"ObjectIndexGone",
         [](CTemplate*, const CString& folder) { return new CUndoObject(0, folder + "/c.bmp", 9); },
         "a.bmp Hallo b.bmp clip", false},
        {"CopyEverything",
         [](CTemplate* page, const CString&) {
             return new CUndoCopy(2, 0, static_cast<CDrawImage*>(page->GetObjectAt(2)));
         },
         "b.bmp Hallo b.bmp clip", false},
        {"PastedTextRemoved", [](CTemplate*, const CString&) { return new CUndoCopyObj(1); },
         "a.bmp b.bmp clip", false},
        {"PastedPictureStays", [](CTemplate*, const CString&) { return new CUndoCopyObj(0); },
         "a.bmp Hallo b.bmp clip", false},
        {"TextProperties",
         [](CTemplate*, const CString&) {
             CDrawText old(CRect(0, 0, 1, 1), "Vorher");
             return new CUndoPropertiesText(&old, 1);
         },
         "a.bmp Vorher b.bmp clip", false},
        {"ExchangeEverything", [](CTemplate*, const CString&) { return new CUndoReplace(2, 0, 2); },
         "b.bmp Hallo a.bmp clip", false},
        {"NormalModeClass",
         [](CTemplate*, const CString& folder) { return new CUndoNormal(0, folder + "/c.bmp"); },
         "a.bmp Hallo b.bmp clip", false},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTemplate* page = EditPage();
        m_window->ClearUndo();
        m_window->SetModified(FALSE);
        m_window->AddUndo(c.record(page, m_files.Path()));
        m_window->OnUndo();
        EXPECT_EQ(Describe(m_window->GetTemplate()), c.page);
        EXPECT_EQ(m_window->GetUndoCount(), c.stays ? 1 : 0);
        if (c.stays) {
            // Blocking: every further undo stops at it.
            m_window->OnUndo();
            EXPECT_EQ(m_window->GetUndoCount(), 1);
        }
    }
}

TEST_F(MainWndPageTest, TextPropertiesComeBackWhole) {
    CTemplate* page = EditPage();
    CDrawText old(CRect(0, 0, 1, 1), "Vorher");
    old.SetColor(RGB(1, 2, 3));
    old.SetEffect(2);
    LOGFONT font = old.GetLogFont();
    font.lfWeight = 700;
    old.SetLogFont(font);
    m_window->AddUndo(new CUndoPropertiesText(&old, 1));
    m_window->OnUndo();
    auto* text = static_cast<CDrawText*>(page->GetObjectAt(1));
    EXPECT_EQ(text->GetColor(), RGB(1, 2, 3));
    EXPECT_EQ(text->GetEffect(), 2);
    EXPECT_EQ(text->GetLogFont().lfWeight, 700);
    EXPECT_TRUE(m_window->IsModified());
}

TEST_F(MainWndPageTest, TheTwoColorsButtonShowsTheCurrentPicture) {
    auto* button = static_cast<CTwoColorsBitmapButton*>(m_window->GetButton(CMainWnd::k2Colors));
    m_services.SetEditMode(FALSE);
    ASSERT_TRUE(m_window->AddPicturesToPage(File("a.bmp")));
    m_window->GetWorkBitmap()->SetTwoColors(RGB(1, 1, 1), RGB(2, 2, 2));
    m_window->UpdateTwoColorsButton();
    EXPECT_EQ(button->GetFirstColor(), RGB(1, 1, 1));
    EXPECT_EQ(button->GetSecondColor(), RGB(2, 2, 2));
    EXPECT_EQ(m_window->GetProjectPath(), File("a.bmp"));
    // A file that does not load leaves the working picture.
    EXPECT_FALSE(m_window->AddPicturesToPage(File("fehlt.bmp")));
    EXPECT_EQ(NameOf(m_window->GetWorkBitmap()->GetFilePath()), "a.bmp");

    CTemplate* page = EditPage();
    auto* picture = static_cast<CDrawImage*>(page->GetObjectAt(2));
    picture->SetTwoColors(RGB(5, 5, 5), RGB(6, 6, 6));
    m_window->UpdateTwoColorsButton(); // nothing selected: left as it is
    EXPECT_EQ(button->GetFirstColor(), RGB(1, 1, 1));
    page->ToggleSelect(picture);
    m_window->UpdateTwoColorsButton();
    EXPECT_EQ(button->GetFirstColor(), RGB(5, 5, 5));
    EXPECT_EQ(button->GetSecondColor(), RGB(6, 6, 6));
    page->GetObjectAt(0)->SetSelected(TRUE);
    m_window->UpdateTwoColorsButton();
    EXPECT_EQ(button->GetFirstColor(), RGB(0, 0, 0));
    EXPECT_EQ(button->GetSecondColor(), RGB(0, 0, 0));
}

struct CurrentPictureCase {
    const char* name;
    bool editMode;
    std::vector<int> selected; // indexes of the page "a.bmp Hallo b.bmp clip" plus an empty frame at 4
    const char* picture;       // "work", a file name, or "none"
    std::vector<UINT> messages;
};

TEST_F(MainWndPageTest, PictureCommandsFindTheirPictureByOneRule) {
    const CurrentPictureCase cases[] = {
        {"NormalMode", false, {}, "work", {}},        {"NothingSelected", true, {}, "none", {171}},
        {"TwoSelected", true, {0, 2}, "none", {172}}, {"TextFirst", true, {1}, "none", {}},
        {"Clipart", true, {3}, "none", {}},           {"EmptyFrame", true, {4}, "none", {214}},
        {"OnePicture", true, {2}, "b.bmp", {}},
    };
    ASSERT_TRUE(m_window->AddPicturesToPage(File("c.bmp")));
    for (const CurrentPictureCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTemplate* page = EditPage();
        page->InsertObject(Image(page, nullptr, 400), -1);
        for (int index : c.selected)
            page->GetObjectAt(index)->SetSelected(TRUE);
        m_services.SetEditMode(c.editMode);
        m_services.ClearMessages();
        CAdjustImage* picture = m_window->GetCurrentPicture();
        const std::string found = !picture                               ? "none"
                                  : picture == m_window->GetWorkBitmap() ? "work"
                                                                         : NameOf(picture->GetFilePath());
        EXPECT_EQ(found, c.picture);
        EXPECT_EQ(m_services.MessageIds(), c.messages);
    }
    m_services.SetEditMode(TRUE);
    m_window->SetTemplate(nullptr);
    EXPECT_EQ(m_window->GetCurrentPicture(), nullptr); // no page: silence
    EXPECT_TRUE(m_services.MessageIds().empty());
}

} // namespace
