#pragma once
// CResourceInfoDlg: what one album entry (photo, clipart, stencil or frame) is: its name, its kind, its
// stored path and the facts of its picture file, with its picture fitted into a sunken well. It offers a
// slide show of the entry and, when the file carries comments, the file's comment list.

#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/ui/Dialog.h"

class CDSObj;
class CPictureInfo;

class CResourceInfoDlg : public CDialog {
public:
    // The entry stays the caller's.
    CResourceInfoDlg(CDSObj* object, UINT templateId, CWnd* parent);

    // Where a picture of the size goes in the well: its proportions kept, the band on each side half the
    // whole difference, truncated and halved toward zero. The well itself for an empty size.
    static CRect FitPicture(const CRect& well, int width, int height);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

private:
    // The picture painted and the size whose proportions it is fitted with, by the entry's class; null
    // when there is none.
    const CPictureInfo* ChoosePicture(CSize& proportions) const;
    void ShowFileFacts(const CString& filePath);
    void OnSlideShow();
    void OnComments();

    CString m_strPath;
    CString m_strName;
    CString m_strKind;
    CDSObj* m_pObject;
};
