#pragma once
// CEffectImgWnd: one of the effects dialog's five preset windows. It shows the chosen effect at one
// preset strength on the original picture; a click chooses that strength.

#include "editing/EffectWindowBase.h"
#include "image/PictureInfo.h"

class CAdjustImage;

class CEffectImgWnd : public CEffectWindowBase {
public:
    explicit CEffectImgWnd(CEffectsDlg* dialog) : CEffectWindowBase(dialog) {}

    // Makes the thumbnail: the effect at value on a copy of the settings' original, reduced to the
    // pixels that painting it fitted would take. Red-eye presets are eye colours and show their swatch
    // bitmap.
    void SetEffect(CAdjustImage* settings, int effect, int value);
    int GetValue() const { return m_value; }
    const CPictureInfo* GetThumbnail() const { return m_thumbnail.get(); }
    BOOL IsClicked() const { return m_clicked; }

protected:
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnKillFocus(CWnd* newWindow) override;

private:
    OwnedPicture m_thumbnail;
    // The size the thumbnail stands for: the original's, or a swatch's.
    CSize m_shownSize;
    int m_value = -1;
    BYTE m_clicked = 0;
};

// The swatch bitmap of a red-eye preset colour, null for any other colour.
LPCTSTR RedEyeSwatchName(COLORREF colour);
