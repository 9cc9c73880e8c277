#pragma once
// The album and photo dialogs over a photo library in a temporary folder, with the German resource and
// text modules and the codec plug-ins.

#include "albums/AlbumDlgServices.h"
#include "tests/support/LibraryTestSupport.h"

#include <vector>

class CDSAlbum;
class CPhoto;
class CPhotoWnd;

// A stand-in for the album dialog: its tiles over an album, and a record of what its small dialogs ask.
class FakeAlbumDlg final : public CWnd, public IAlbumDlgServices {
public:
    FakeAlbumDlg() = default;
    ~FakeAlbumDlg() override;
    FakeAlbumDlg(const FakeAlbumDlg&) = delete;
    FakeAlbumDlg& operator=(const FakeAlbumDlg&) = delete;

    // Makes the window and one tile for each entry of the album.
    bool Open(CDSAlbum* album);

    void SelectPhoto(CPhotoWnd* tile, UINT keyFlags) override;
    CDSAlbum* GetAlbum() override { return m_album; }
    int GetCurrentIndex() override { return m_selected; }
    void EndDialog(int) override {}
    int GetPhotoWndCount() override { return static_cast<int>(m_tiles.size()); }
    CPhotoWnd* GetPhotoWnd(int index) override { return m_tiles[static_cast<size_t>(index)]; }
    void SetFirstVisibleIndex(int index) override { m_firstVisible = index; }
    void LayoutPhotoWnds() override { ++m_layouts; }
    void UpdatePageButtons() override { ++m_pageButtonUpdates; }
    void SetModified(BOOL modified) override { m_modified = modified; }

    CDSAlbum* m_album = nullptr;
    std::vector<CPhotoWnd*> m_tiles; // child windows, deleted with them
    int m_selected = -1;
    int m_firstVisible = 0;
    int m_layouts = 0;
    int m_pageButtonUpdates = 0;
    BOOL m_modified = FALSE;
};

class AlbumDialogsTest : public TempLibraryTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The folder of the photo kind's files.
    CString PhotoFolder() const;
    CResType* Photos() const { return m_manager->GetResType(kResTypePictures); }
    // A user album of photos "Bild1" ... "Bild<count>", each a 4 x 3 BMP file with a 5 x 3 thumbnail.
    CDSAlbum* MakeAlbum(const CString& title, int count);
    // A photo of the album for a file of the photo folder (which the caller may not write at all), with a
    // thumbnail of the size.
    CPhoto* AddPhoto(CDSAlbum* album, const CString& fileName, const CString& title,
                     CSize thumbnail = {5, 3});
    // A BMP file of one colour in the photo folder.
    void WritePicture(const CString& fileName, CSize size, COLORREF colour) const;

    CWnd m_owner;
};
