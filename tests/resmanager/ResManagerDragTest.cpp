// The object view's own drag with synthetic mouse and keyboard input: the cursor for the album under the
// pointer, changing as Ctrl is pressed and released while the pointer rests, and Ctrl at the button's
// release choosing between copy and move; a drop on the shown album does nothing.
// Every result is read back by a fresh manager.

#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/Resource.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ListCtrl.h"
#include "resmanager/ObjectsView.h"
#include "resmanager/ResManagerWnd.h"
#include "tests/resmanager/ResManagerFixture.h"

#include <string>
#include <vector>

namespace {

struct DragCase {
    const char* name;
    bool onShownAlbum;
    Qt::KeyboardModifiers atRelease;
    UINT cursorOverTarget;
    UINT cursorWithCtrl;
    int sourceAfter;
    int targetAfter;
};

const DragCase kDragCases[] = {
    {"MoveWithoutCtrl", false, Qt::NoModifier, 149, 717, 1, 1},
    {"CopyWithCtrlAtRelease", false, Qt::ControlModifier, 149, 717, 2, 1},
    {"ShownAlbumIsRefused", true, Qt::NoModifier, 148, 148, 2, 0},
};

// The frame over the album, and the own drag of its first entry started.
class OwnDragTest : public ResManagerTest {
protected:
    static CPoint EntryCentre(CObjectsView* view) {
        CRect icon;
        view->GetListCtrl().GetItemRect(0, &icon, LVIR_ICON);
        return icon.CenterPoint();
    }
    // Null when the frame does not open.
    CObjectsView* DragFirstEntryOf(CDSAlbum* album) {
        if (!OpenFrame())
            return nullptr;
        ShowActive(&m_owner);
        CObjectsView* view = Objects();
        EXPECT_EQ(view->ShowAlbum(album), 0);
        const CPoint start = EntryCentre(view);
        ClickAt(view, start);
        PressAt(view, start);
        MoveTo(view, start + CPoint(30, 30));
        return view;
    }
};

class DragTest : public OwnDragTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(DragTest, DropOnAnAlbumOfTheTree) {
    const DragCase& c = GetParam();
    CDSAlbum* source = MakeAlbum("Quelle", 2);
    CDSAlbum* target = MakeAlbum("Ziel", 0);
    ASSERT_NE(source, nullptr);
    ASSERT_NE(target, nullptr);
    FakeAlbumsView::m_pointed = c.onShownAlbum ? source : target;
    CObjectsView* view = DragFirstEntryOf(source);
    ASSERT_TRUE(view && view->IsDragging());
    const CPoint drop = EntryCentre(view) + CPoint(40, 45);
    MoveTo(view, drop);
    const auto cursor = [](UINT id) { return LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(id)); };
    EXPECT_EQ(GetCursor(), cursor(c.cursorOverTarget));
    PressKey(view, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(GetCursor(), cursor(c.cursorWithCtrl));
    ReleaseKey(view, Qt::Key_Control);
    EXPECT_EQ(GetCursor(), cursor(c.cursorOverTarget));
    ReleaseAt(view, drop, Qt::LeftButton, c.atRelease);
    PumpMessages();
    EXPECT_FALSE(view->IsDragging());
    EXPECT_EQ(view->GetListCtrl().GetItemCount(), c.sourceAfter);

    std::unique_ptr<CDSObjMgr> fresh = ReadBack();
    CResType* photos = fresh->GetResType(kResTypePictures);
    CDSAlbum* storedSource = photos->FindAlbumByTitle("Quelle");
    CDSAlbum* storedTarget = photos->FindAlbumByTitle("Ziel");
    ASSERT_TRUE(storedSource && storedTarget);
    storedSource->Load();
    storedTarget->Load();
    EXPECT_EQ(storedSource->GetObjectCount(), c.sourceAfter);
    EXPECT_EQ(storedTarget->GetObjectCount(), c.targetAfter);
}

// The drop loads the target album, and the manager makes room by unloading its oldest: never the album
// whose entries the view lists.
TEST_F(OwnDragTest, ADropThatLoadsItsTargetKeepsTheShownAlbumLoaded) {
    CDSAlbum* target = MakeAlbum("Ziel", 1);
    std::vector<CDSAlbum*> loaded{MakeAlbum("Quelle", 2)};
    for (int i = 0; i < CDSObjMgr::kAlbumCacheLimit - 1; ++i) {
        CString title;
        title.Format("Weitere %d", i);
        loaded.push_back(MakeAlbum(title, 1));
    }
    // As after a start: the source loaded first, then others up to the limit; the target not yet.
    ASSERT_NE(target, nullptr);
    target->Unload();
    for (CDSAlbum* album : loaded) {
        ASSERT_NE(album, nullptr);
        album->Unload();
        ASSERT_TRUE(m_manager->LoadAlbum(album));
    }
    CDSAlbum* source = loaded.front();
    FakeAlbumsView::m_pointed = target;
    CObjectsView* view = DragFirstEntryOf(source);
    ASSERT_TRUE(view && view->IsDragging());
    ReleaseAt(view, EntryCentre(view) + CPoint(40, 45));
    PumpMessages();
    EXPECT_TRUE(source->IsIndexOpen());
    EXPECT_EQ(view->GetListCtrl().GetItemCount(), 1);
    EXPECT_EQ(source->GetObjectCount(), 1);
    EXPECT_EQ(target->GetObjectCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(OwnDrag, DragTest, ::testing::ValuesIn(kDragCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
