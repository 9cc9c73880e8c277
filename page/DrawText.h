#pragma once
// CDrawText: a block of text on an edit-mode page in one font and colour, with an optional shadow or
// relief. Its rectangle follows the measured text; printing picks the font height that fills it best.

#include "page/DrawObj.h"
#include "platform/base/String.h"

class CTemplate;

// Effects: a grey shadow to the lower right or the upper left, or a light-grey relief; anything else
// is plain.
enum TextEffect : int {
    kTextPlain = 0,
    kTextShadowLowerRight = 1,
    kTextShadowUpperLeft = 2,
    kTextRelief = 3,
};

class CDrawText : public CDrawObj {
    DECLARE_SERIAL(CDrawText)
public:
    // The default text (string 299), effect -1.
    CDrawText();
    explicit CDrawText(const CRect& position);
    // The given text, effect 0.
    CDrawText(const CRect& position, const CString& text);

    // The common part, the 60-byte LOGFONT, the text, the colour and the effect.
    void Serialize(CArchive& ar) override;
    int GetKind() override;
    // The text from the scaled top-left corner, in the font scaled by 3.35 x scale (or the override).
    void Draw(CDC* pDC, int dx, int dy, float scale) override;
    // Flips the blink phase and draws the scaled position red-and-white.
    void DrawFrame(CDC* pDC, float scale, int dx, int dy) override;
    // Position, pen and brush data (not their flags), colour, font, text and effect.
    CDrawObj* Clone() override;
    // The text in one line in rect in the unscaled font; nothing for an empty rect.
    virtual void DrawInRect(CDC* pDC, CRect rect);

    LOGFONT* GetLogFont(LOGFONT* font) const;
    const LOGFONT& GetLogFont() const { return m_logfont; }
    void SetLogFont(const LOGFONT& font) { m_logfont = font; }
    COLORREF GetColor() const { return m_colour; }
    COLORREF SetColor(COLORREF colour);
    CString GetText() const { return m_strText; }
    void SetText(const CString& text) { m_strText = text; }
    int GetEffect() const { return m_nEffect; }
    void SetEffect(int effect) { m_nEffect = effect; }
    int GetHeightOverride() const { return m_nHeightOverride; }
    void SetHeightOverride(int height) { m_nHeightOverride = height; }
    void SetTemplate(CTemplate* owner) { m_pTemplate = owner; }
    CTemplate* GetTemplate() const { return m_pTemplate; }

    // The position's size from the measured text at the scale; the saved position follows. Nothing
    // changes at a scale of 0 or less (a page without a size).
    void FitToText(CDC* pDC, float scale);
    // The measured block at the scaled top-left corner; uses up the height override. Empty when the font
    // cannot be made.
    void CalcTextRect(CRect* out, CDC* pDC, float scale);
    // The height override whose block best fills the scaled position, searched 10 steps each way.
    void FitPrintFontHeight(CDC* pDC, float scale);
    // Clone with both flags and the height override, for undo records.
    CDrawText* Duplicate();

    // trunc(height x scale x 3.35 - 0.5), -1 for 0.
    static int ScaledHeight(int height, float scale);

private:
    void InitFont();
    // The working font: the stored one with width 0 at that height.
    LOGFONT FontOfHeight(int height);
    // The size of the text block in the font of that height; false when the font cannot be made.
    bool MeasureBlock(CDC* pDC, int height, CSize& block);
    // The text at rect, after the effect's grey copy; the font of that height is selected.
    void DrawWithEffect(CDC* pDC, const CRect& rect, UINT format, int height, int shadowOffset);

    LOGFONT m_logfont{};
    BYTE m_bBlink = TRUE;
    CString m_strText;
    COLORREF m_colour = 0;
    int m_nHeightOverride = 0;
    int m_nEffect = -1;
    CTemplate* m_pTemplate = nullptr;
};
