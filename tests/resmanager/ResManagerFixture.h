#pragma once
// The resource manager's frame over a photo library in a temporary folder, with the German resource and
// text modules and the codec plug-ins. The album tree is a recording stand-in that the frame makes in the
// tree's place.

#include "platform/ui/TreeView.h"
#include "resmanager/ResManagerPanes.h"
#include "tests/support/LibraryTestSupport.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class CDSAlbum;
class CObjectsView;
class CPhoto;
class CResManagerWnd;

// The tree as the object view sees it: the album under the pointer is whatever the test says.
class FakeAlbumsView : public CTreeView, public IAlbumTreeOperations {
    DECLARE_DYNCREATE(FakeAlbumsView)
public:
    LRESULT AddResTypeNode(CResType* kind) override;
    LRESULT SelectAlbumNode(CDSAlbum*) override { return Note("select"), 0; }
    LRESULT UpdateAlbumNode(CDSAlbum*) override { return Note("update"), 0; }
    LRESULT DeleteAlbumNode(CDSAlbum*) override { return Note("delete"), 0; }
    CDSAlbum* DragOverAlbum(CPoint, CImageList*) override { return Note("over"), m_pointed; }
    CDSAlbum* TakeDropAlbum() override { return Note("drop"), m_pointed; }
    LRESULT SortAlbumNodes(CResType*) override { return Note("sort"), 0; }
    BOOL IsEditingLabel() override { return FALSE; }
    void CancelLabelEdit() override {}

    static CDSAlbum* m_pointed;
    static std::vector<int> s_kinds;
    static std::vector<std::string> s_calls;

private:
    static void Note(const char* call) { s_calls.emplace_back(call); }
};

class ResManagerTest : public TempLibraryTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The frame as the page makes it, size wide and high, with every kind but the print templates.
    CResManagerWnd* OpenFrame(CSize size = CSize(900, 600));
    CObjectsView* Objects() const;
    CResType* Photos() const { return m_manager->GetResType(kResTypePictures); }
    // A user album of count photos "Bild1" ... stored in the photo folder; relative as the list says.
    CDSAlbum* MakeAlbum(const CString& title, int count, std::initializer_list<int> relative = {});
    // A picture file of the size in the temporary folder; its path.
    CString WritePicture(const CString& name, CSize size, COLORREF colour) const;
    // A fresh manager over the same folders, as the program starts next time.
    std::unique_ptr<CDSObjMgr> ReadBack();

    CWnd m_owner;
    CResManagerWnd* m_frame = nullptr;
};
