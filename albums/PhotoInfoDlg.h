#pragma once
// CPhotoInfoDlg: a photo of the album dialog with its thumbnail, path, type, pixel size and date; the
// user edits its title and description, which OK writes into the photo's XML description. The album
// dialog saves the entry afterwards.

#include "platform/base/Geometry.h"
#include "platform/ui/Dialog.h"

#include <memory>

class CDSObj;
class CFont;
class CTime;

class CPhotoInfoDlg : public CDialog {
public:
    // The photo stays the caller's; parent is the album dialog.
    CPhotoInfoDlg(CDSObj* photo, CWnd* parent);
    ~CPhotoInfoDlg() override;

    // Where a thumbnail of the size goes in the frame: scaled to fit, centred.
    static CRect ThumbnailRect(const CRect& frame, CSize thumbnail);
    // "%d %B %Y" with the German month name: "05 März 2024".
    static CString FormatDate(const CTime& time);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnPaint() override;

private:
    void OnTextChanged();
    void ShowFileFacts();

    CDSObj* m_pPhoto;
    CString m_strDescription;
    CString m_strTitle;
    std::unique_ptr<CFont> m_pLabelFont;
    // Setting the texts at start is no change of the user's.
    bool m_bFilling = false;
};
