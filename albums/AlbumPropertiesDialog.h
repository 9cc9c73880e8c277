#pragma once
// CAlbumPropertiesDialog: a child form of the resource manager's details view that shows one album's
// producer, title, description and folder and stores edits into the album's index. Pending edits are
// stored when another album is shown and when the form is destroyed; a change of letter case alone is
// no edit then. Albums of a kind's second list are shown with the edits disabled and empty.

#include "platform/base/Geometry.h"
#include "platform/ui/Dialog.h"

class CDSAlbum;

// Sent to the parent frame after a stored edit, wParam 0 and lParam the album.
inline constexpr UINT WM_RM_ALBUMRENAMED = 0x404;
inline constexpr UINT WM_RM_TREEUPDATEALBUM = 0x466;

class CAlbumPropertiesDialog : public CDialog {
public:
    explicit CAlbumPropertiesDialog(CWnd* parent);

    // The form's template, for CDialog::Create with the details view as parent.
    static constexpr UINT kTemplateId = 718;

    // Stores pending edits of the album shown unless *discard, then shows album (null: none). The album
    // stays the caller's.
    void ApplyChanges(CDSAlbum* album, const bool* discard);
    // Whether the edits differ from the album shown, letter case aside.
    bool LoadFields();
    // Writes the edits into the album and saves its index; with *notify the parent frame hears of it.
    // False when the title is refused (message 62058) or the index could not be saved.
    bool StoreFields(const bool* notify);
    CSize GetInitialSize() const { return m_initialSize; }

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    // Enter and Escape do not close the form.
    void OnOK() override {}
    void OnCancel() override {}
    void OnDestroy() override;

private:
    void EnableEdits(bool enable);
    void ShowTitleRefused() const;

    CString m_strDescription;
    CString m_strPath;
    CString m_strTitle;
    CString m_strProducer;
    CDSAlbum* m_pAlbum = nullptr;
    CSize m_initialSize;
};
