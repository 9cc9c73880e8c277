#pragma once
// CFindPhotoDlg: finds the next photo of the album dialog whose stored path, title or description holds
// a text, and shows it selected on its page there. It stays open; each search goes on from the last
// match, also after the text was changed.

#include "platform/ui/Dialog.h"

class CPhotoWnd;
class IAlbumDlgServices;

class CFindPhotoDlg : public CDialog {
public:
    // The parent is the album dialog.
    explicit CFindPhotoDlg(CWnd* parent);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnFindNext();
    void OnTextChanged();
    // One of the three fields stays chosen.
    void OnFieldClicked(UINT id);
    bool Matches(CPhotoWnd* tile) const;
    // Shows the tile at index as the match.
    void ShowMatch(int index);
    void ReportNoMatch() const;

    IAlbumDlgServices* m_pAlbumDlg;
    CString m_strText;
    int m_nPosition = 0; // the tile of the last match
    bool m_bFresh = true;
    bool m_bFound = false;
};
