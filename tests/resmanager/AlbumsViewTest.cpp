// The album tree: its nodes and the notices it sends, the label rules read back from the archive by a
// fresh manager, delete and copy, the context menu, red labels by pixel, and desktop drops through the
// drop layer.

#include "resmanager/AlbumsView.h"

#include "library/DSAlbum.h"
#include "library/DSObj.h"
#include "library/ResType.h"
#include "platform/ui/WindowRecord.h"
#include "resmanager/ResManagerMessages.h"
#include "tests/resmanager/ViewsFixture.h"
#include "tests/support/RunTool.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string FileBytes(const CString& path) {
    std::ifstream file(path.str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class AlbumsViewTest : public ViewsTest {
protected:
    void SetUp() override {
        ViewsTest::SetUp();
        m_app.SetString(62017, "%d Album der Art „%s“ löschen?");
        m_app.SetString(62053, "Neues Bild");
        m_app.SetString(65519, "Das Album enthält Bilder aus dem Bildordner.");
        m_summer = m_manager->CreateAlbum(Photos(), "Sommer");
        m_winter = m_manager->CreateAlbum(Photos(), "Winter");
        m_builtIn = Photos()->CreateAlbum("Beispiele", m_manager->GetDataDir(), true);
        ASSERT_NE(m_summer, nullptr);
        ASSERT_NE(m_winter, nullptr);
        ASSERT_NE(m_builtIn, nullptr);
        m_view = MakeView<CAlbumsView>();
        ASSERT_NE(m_view, nullptr);
        ASSERT_EQ(m_view->AddResTypeNode(Photos()), 0);
        m_frame->m_sent.clear();
    }

    CTreeCtrl& Tree() { return m_view->GetTreeCtrl(); }
    HTREEITEM KindNode() { return Tree().GetRootItem(); }
    HTREEITEM AlbumNode(const CDSAlbum* album) {
        for (HTREEITEM child = Tree().GetChildItem(KindNode()); child;
             child = Tree().GetNextSiblingItem(child))
            if (reinterpret_cast<const CDSAlbum*>(Tree().GetItemData(child)) == album)
                return child;
        return nullptr;
    }
    std::vector<std::string> AlbumLabels() {
        std::vector<std::string> labels;
        for (HTREEITEM child = Tree().GetChildItem(KindNode()); child;
             child = Tree().GetNextSiblingItem(child))
            labels.emplace_back(Tree().GetItemText(child).str());
        return labels;
    }
    // Types the label into the open editor and ends the edit with Return.
    void Rename(const CDSAlbum* album, const char* label) {
        CEdit* editor = Tree().EditLabel(AlbumNode(album));
        ASSERT_NE(editor, nullptr);
        editor->SetWindowText(label);
        m_view->SendMessage(WM_COMMAND, ID_RM_OPEN, 0);
        PumpMessages();
    }
    std::vector<CString> Shown() const {
        std::vector<CString> texts;
        for (const FakeAppServices::ShownMessage& shown : m_app.Messages())
            texts.push_back(shown.text);
        return texts;
    }
    // A fresh manager's titles of the photo kind's albums, read from the disk.
    std::vector<std::string> StoredTitles() {
        CDSObjMgr fresh;
        fresh.LoadInstallSettings();
        std::vector<std::string> titles;
        CTypedPtrList<CObList, CDSAlbum*>& albums = fresh.GetResType(kResTypePictures)->GetAlbumList(false);
        for (POSITION position = albums.GetHeadPosition(); position;)
            titles.emplace_back(albums.GetNext(position)->GetTitle().str());
        return titles;
    }
    // Enter, move and drop of the files at a client point; whether the drop was taken.
    bool DropFiles(const std::vector<CString>& files, CPoint at) {
        ShowActive(&m_owner);
        QWidget* widget = WidgetOf(m_view->m_hWnd);
        QMimeData mime;
        QList<QUrl> urls;
        for (const CString& file : files)
            urls.push_back(QUrl::fromLocalFile(QString::fromUtf8(file.str())));
        mime.setUrls(urls);
        const QPoint point(at.x, at.y);
        QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &enter);
        QDragMoveEvent move(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
        QDropEvent drop(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &drop);
        return drop.isAccepted();
    }
    CPoint LabelCentre(HTREEITEM node) {
        Tree().EnsureVisible(node);
        CRect label;
        Tree().GetItemRect(node, &label, TRUE);
        return label.CenterPoint();
    }

    CDSAlbum* m_summer = nullptr;
    CDSAlbum* m_winter = nullptr;
    CDSAlbum* m_builtIn = nullptr;
    CAlbumsView* m_view = nullptr;
};

TEST_F(AlbumsViewTest, KindNodeHoldsTheUserAlbumsAndIsSelected) {
    EXPECT_EQ(std::string(Tree().GetItemText(KindNode()).str()), std::string(Photos()->GetName().str()));
    EXPECT_EQ(AlbumLabels(), (std::vector<std::string>{"Sommer", "Winter"}));
    EXPECT_EQ(Tree().GetSelectedItem(), KindNode());
    EXPECT_EQ(Tree().GetItemData(KindNode()), reinterpret_cast<DWORD_PTR>(Photos()));
}

TEST_F(AlbumsViewTest, KindsWithoutNodesAndAKindWithoutAlbums) {
    CResType hidden9(9, "Texte", 0), hidden13(13, "Andere", 0), empty(3, "Cliparts", 0);
    EXPECT_EQ(m_view->AddResTypeNode(&hidden9), 0);
    EXPECT_EQ(m_view->AddResTypeNode(&hidden13), 0);
    EXPECT_EQ(m_view->AddResTypeNode(nullptr), RM_E_NULLARG);
    EXPECT_EQ(Tree().GetNextSiblingItem(KindNode()), nullptr);
    EXPECT_EQ(m_view->AddResTypeNode(&empty), 0);
    const HTREEITEM emptyNode = Tree().GetNextSiblingItem(KindNode());
    ASSERT_NE(emptyNode, nullptr);
    EXPECT_TRUE(Tree().ItemHasChildren(emptyNode));
    EXPECT_EQ(Tree().GetChildItem(emptyNode), nullptr);
    EXPECT_EQ(Tree().GetSelectedItem(), KindNode());
    Tree().DeleteItem(emptyNode);
}

TEST_F(AlbumsViewTest, SelectingANodeShowsItsKindOrAlbum) {
    Tree().SelectItem(AlbumNode(m_winter));
    Tree().SelectItem(KindNode());
    ASSERT_EQ(m_frame->m_sent.size(), 2u);
    EXPECT_EQ(m_frame->m_sent[0].message, WM_RM_SHOWALBUM);
    EXPECT_EQ(m_frame->m_sent[0].lParam, reinterpret_cast<LPARAM>(m_winter));
    EXPECT_EQ(m_frame->m_sent[1].message, WM_RM_SHOWRESTYPE);
    EXPECT_EQ(m_frame->m_sent[1].lParam, reinterpret_cast<LPARAM>(Photos()));
}

TEST_F(AlbumsViewTest, MessagesOfTheObjectViewWorkUnderTheSelectedKind) {
    EXPECT_EQ(m_view->SelectAlbumNode(m_winter), 0);
    EXPECT_EQ(Tree().GetSelectedItem(), AlbumNode(m_winter));
    // An album node is selected now: no kind to work under.
    EXPECT_EQ(m_view->UpdateAlbumNode(m_summer), RM_E_NOTAKIND);
    EXPECT_EQ(m_view->SelectAlbumNode(nullptr), RM_E_NULLARG);
    Tree().SelectItem(KindNode());
    m_summer->SetTitle("Hochsommer");
    EXPECT_EQ(m_view->UpdateAlbumNode(m_summer), 0);
    CDSAlbum* autumn = m_manager->CreateAlbum(Photos(), "Herbst");
    EXPECT_EQ(m_view->UpdateAlbumNode(autumn), 0);
    EXPECT_EQ(AlbumLabels(), (std::vector<std::string>{"Hochsommer", "Winter", "Herbst"}));
    ASSERT_TRUE(Photos()->MoveAlbumToFront(autumn));
    EXPECT_EQ(m_view->SortAlbumNodes(Photos()), 0);
    EXPECT_EQ(AlbumLabels(), (std::vector<std::string>{"Herbst", "Hochsommer", "Winter"}));
    EXPECT_EQ(m_view->DeleteAlbumNode(autumn), 0);
    EXPECT_EQ(AlbumLabels(), (std::vector<std::string>{"Hochsommer", "Winter"}));
    EXPECT_EQ(m_view->SortAlbumNodes(nullptr), RM_E_NOTARGET);
    Tree().SelectItem(nullptr);
    EXPECT_EQ(m_view->DeleteAlbumNode(m_winter), RM_E_NOSELECTION);
}

TEST_F(AlbumsViewTest, OnlyUserAlbumLabelsOpenForEditing) {
    EXPECT_EQ(Tree().EditLabel(KindNode()), nullptr);
    EXPECT_NE(Tree().EditLabel(AlbumNode(m_summer)), nullptr);
    EXPECT_TRUE(m_view->IsEditingLabel());
    m_view->CancelLabelEdit();
    PumpMessages();
    EXPECT_FALSE(m_view->IsEditingLabel());
    EXPECT_EQ(m_summer->GetTitle(), "Sommer");
}

TEST_F(AlbumsViewTest, ValidRenameIsStoredInTheArchive) {
    Rename(m_summer, "Ostsee");
    EXPECT_EQ(m_summer->GetTitle(), "Ostsee");
    EXPECT_EQ(AlbumLabels(), (std::vector<std::string>{"Ostsee", "Winter"}));
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(StoredTitles(), (std::vector<std::string>{"Ostsee", "Winter"}));
}

TEST_F(AlbumsViewTest, RefusedLabelsShowTheMessageAndLeaveTheArchiveAlone) {
    const CString archive = m_manager->GetAlbumPath(m_summer);
    const std::string before = FileBytes(archive);
    ASSERT_FALSE(before.empty());
    for (const char* label : {"Sommer", "SOMMER", "winter"}) {
        Rename(m_summer, label);
        EXPECT_EQ(m_summer->GetTitle(), "Sommer") << label;
    }
    ASSERT_EQ(Shown().size(), 3u);
    EXPECT_EQ(Shown()[1],
              "Der Albumtitel „SOMMER“ kann nicht verwendet werden. Bitte wählen Sie einen anderen Titel.");
    EXPECT_EQ(AlbumLabels(), (std::vector<std::string>{"Sommer", "Winter"}));
    EXPECT_EQ(FileBytes(archive), before);
}

TEST_F(AlbumsViewTest, RenameWhoseStoreFailsKeepsTheOldTitle) {
    // A folder where the archive was: the index cannot be saved.
    const CString archive = m_manager->GetAlbumPath(m_summer);
    std::filesystem::remove(archive.str());
    std::filesystem::create_directory(archive.str());
    Rename(m_summer, "Ostsee");
    EXPECT_EQ(m_summer->GetTitle(), "Sommer");
    EXPECT_EQ(AlbumLabels(), (std::vector<std::string>{"Sommer", "Winter"}));
}

TEST_F(AlbumsViewTest, DeleteAsksThenLetsGoOfTheAlbumBeforeDeletingIt) {
    const CString archive = m_manager->GetAlbumPath(m_winter);
    Tree().SelectItem(AlbumNode(m_winter));
    m_frame->m_sent.clear();
    m_app.QueueAnswers({IDNO, IDYES});
    m_view->SendMessage(WM_COMMAND, ID_RM_DELETE, 0);
    EXPECT_TRUE(m_frame->m_sent.empty());
    EXPECT_EQ(AlbumLabels(), (std::vector<std::string>{"Sommer", "Winter"}));

    m_view->SendMessage(WM_COMMAND, ID_RM_DELETE, 0);
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[1], "1 Album der Art „" + Photos()->GetName() + "“ löschen?");
    EXPECT_EQ(m_app.Messages()[1].style & MB_YESNO, MB_YESNO);
    std::vector<UINT> messages;
    for (const RecordingFrame::Sent& sent : m_frame->m_sent)
        messages.push_back(sent.message);
    EXPECT_EQ(messages, (std::vector<UINT>{WM_RM_SHOWDETAILS, WM_RM_SHOWRESTYPE, WM_RM_SHOWRESTYPE}));
    EXPECT_EQ(m_frame->m_sent[0].wParam, MAKEWPARAM(1, kDetailsNothing));
    EXPECT_EQ(AlbumLabels(), (std::vector<std::string>{"Sommer"}));
    EXPECT_FALSE(Photos()->HasAlbum(m_winter));
    EXPECT_FALSE(std::filesystem::exists(archive.str()));
    EXPECT_EQ(Tree().GetSelectedItem(), KindNode());
}

TEST_F(AlbumsViewTest, AlbumWithPicturesOfTheKindsFolderIsNotDeleted) {
    CDSAlbum* pictures = MakeAlbum("Bilder", 1);
    ASSERT_NE(pictures, nullptr);
    Tree().SelectItem(KindNode());
    ASSERT_EQ(m_view->UpdateAlbumNode(pictures), 0);
    Tree().SelectItem(AlbumNode(pictures));
    m_view->SendMessage(WM_COMMAND, ID_RM_DELETE, 0);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], "Das Album enthält Bilder aus dem Bildordner.");
    EXPECT_TRUE(Photos()->HasAlbum(pictures));
}

TEST_F(AlbumsViewTest, DeleteKeyInTheLabelEditorDeletesACharacterOnly) {
    CEdit* editor = Tree().EditLabel(AlbumNode(m_summer));
    ASSERT_NE(editor, nullptr);
    editor->SetSel(0, 0);
    m_view->SendMessage(WM_COMMAND, ID_RM_DELETE, 0);
    CString text;
    editor->GetWindowText(text);
    EXPECT_EQ(text, "ommer");
    EXPECT_TRUE(Shown().empty());
    EXPECT_TRUE(Photos()->HasAlbum(m_summer));
    m_view->CancelLabelEdit();
    PumpMessages();
}

TEST_F(AlbumsViewTest, CopyAddsTheCopyUnderAFreeTitle) {
    Tree().SelectItem(AlbumNode(m_summer));
    m_view->SendMessage(WM_COMMAND, ID_RM_DUPLICATE, 0);
    m_view->SendMessage(WM_COMMAND, ID_RM_DUPLICATE, 0);
    EXPECT_EQ(AlbumLabels(), (std::vector<std::string>{"Sommer", "Winter", "Sommer (2)", "Sommer (3)"}));
    EXPECT_EQ(StoredTitles(), (std::vector<std::string>{"Sommer", "Winter", "Sommer (2)", "Sommer (3)"}));
}

TEST_F(AlbumsViewTest, ContextMenuHasOneEntryOnAKindAndFourOnAnAlbum) {
    m_app.SetString(62019, "Neu");
    m_app.SetString(62020, "Umbenennen");
    m_app.SetString(62021, "Löschen");
    m_app.SetString(62024, "Kopieren");
    CPoint kind = LabelCentre(KindNode());
    m_view->ClientToScreen(&kind);
    m_view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_view->m_hWnd), MAKELPARAM(kind.x, kind.y));
    EXPECT_EQ(m_menus.m_items, (std::vector<std::string>{"32873 Neu"}));
    Tree().SelectItem(AlbumNode(m_winter));
    m_view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_view->m_hWnd), MAKELPARAM(-1, -1));
    EXPECT_EQ(m_menus.m_items,
              (std::vector<std::string>{"32873 Neu", "32878 Kopieren", "32875 Umbenennen", "32876 Löschen"}));
    EXPECT_EQ(m_menus.m_shown, 2);
}

TEST_F(AlbumsViewTest, LabelsAreRed) {
    Tree().Expand(KindNode(), TVE_EXPAND);
    Tree().SelectItem(nullptr);
    m_view->UpdateWindow();
    CRect label;
    ASSERT_TRUE(Tree().GetItemRect(AlbumNode(m_winter), &label, TRUE));
    CDC* dc = m_view->GetDC();
    int red = 0;
    int dark = 0;
    for (int y = label.top; y < label.bottom; ++y) {
        for (int x = label.left; x < label.right; ++x) {
            const COLORREF pixel = dc->GetPixel(x, y);
            // Smoothed glyph edges blend the ink with the background.
            red += GetRValue(pixel) > 200 && GetGValue(pixel) < 120 && GetBValue(pixel) < 120;
            dark += GetRValue(pixel) < 100;
        }
    }
    m_view->ReleaseDC(dc);
    EXPECT_GT(red, 10);
    EXPECT_EQ(dark, 0);
}

// Three files, one of them text: the text makes no entry and no progress step.
TEST_F(AlbumsViewTest, DroppedPicturesBecomeEntriesOfTheAlbumUnderThePoint) {
    WritePicture("eins.bmp", CSize(4, 3), RGB(200, 0, 0));
    WritePicture("zwei.bmp", CSize(4, 3), RGB(0, 200, 0));
    std::ofstream((PhotoFolder() + "/notiz.txt").str()) << "kein Bild";
    const std::vector<CString> files = {PhotoFolder() + "/eins.bmp", PhotoFolder() + "/notiz.txt",
                                        PhotoFolder() + "/zwei.bmp"};
    Tree().SelectItem(AlbumNode(m_summer));
    m_frame->m_sent.clear();
    EXPECT_TRUE(DropFiles(files, LabelCentre(AlbumNode(m_summer))));

    ASSERT_EQ(m_summer->GetObjectCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(m_summer->GetObjectAt(i)->GetTitle(), "Neues Bild");
    std::vector<UINT> messages;
    for (const RecordingFrame::Sent& sent : m_frame->m_sent)
        messages.push_back(sent.message);
    EXPECT_EQ(messages, (std::vector<UINT>{WM_RM_PROGRESSBEGIN, WM_RM_PROGRESSSTEP, WM_RM_PROGRESSSTEP,
                                           WM_RM_SHOWALBUM, WM_RM_PROGRESSBEGIN}));
    EXPECT_EQ(m_frame->m_sent.front().wParam, MAKEWPARAM(0, 3));
    EXPECT_EQ(m_frame->m_sent.front().lParam, MAKELPARAM(1, SW_SHOW));
    EXPECT_EQ(m_frame->m_sent.back().wParam, 0u);
    EXPECT_EQ(m_frame->m_sent.back().lParam, 0);
    EXPECT_EQ(Tree().GetDropHilightItem(), nullptr);
}

TEST_F(AlbumsViewTest, DropsOnAKindEmptySpaceOrABuiltInAlbumAddNothing) {
    WritePicture("eins.bmp", CSize(4, 3), RGB(200, 0, 0));
    const std::vector<CString> files = {PhotoFolder() + "/eins.bmp"};
    Tree().SelectItem(KindNode());
    ASSERT_EQ(m_view->UpdateAlbumNode(m_builtIn), 0);
    m_frame->m_sent.clear();
    DropFiles(files, LabelCentre(KindNode()));
    DropFiles(files, CPoint(350, 280));
    DropFiles(files, LabelCentre(AlbumNode(m_builtIn)));
    EXPECT_TRUE(m_frame->m_sent.empty());
    EXPECT_EQ(m_summer->GetObjectCount(), 0);
    EXPECT_EQ(m_builtIn->GetObjectCount(), 0);
}

TEST_F(AlbumsViewTest, DragOverHighlightsAnAlbumAndTheDropTakesOnlyAUserAlbum) {
    Tree().SelectItem(KindNode());
    ASSERT_EQ(m_view->UpdateAlbumNode(m_builtIn), 0);
    for (CDSAlbum* album : {m_winter, m_builtIn}) {
        CPoint point = LabelCentre(AlbumNode(album));
        m_view->ClientToScreen(&point);
        EXPECT_EQ(m_view->DragOverAlbum(point, nullptr), album);
        EXPECT_EQ(Tree().GetItemState(AlbumNode(album), TVIS_DROPHILITED), TVIS_DROPHILITED);
    }
    EXPECT_EQ(Tree().GetItemState(AlbumNode(m_winter), TVIS_DROPHILITED), 0u);
    EXPECT_EQ(m_view->TakeDropAlbum(), nullptr);
    CPoint point = LabelCentre(AlbumNode(m_winter));
    m_view->ClientToScreen(&point);
    m_view->DragOverAlbum(point, nullptr);
    EXPECT_EQ(m_view->TakeDropAlbum(), m_winter);
    EXPECT_EQ(Tree().GetItemState(AlbumNode(m_winter), TVIS_DROPHILITED), 0u);
}

} // namespace
