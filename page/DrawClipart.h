#pragma once
// CDrawClipart: a clipart (a picture with its transparency mask) on an edit-mode page, turned by the
// object's rotation. The turned picture is kept and rebuilt when the rotation or the size changes; a
// missing clipart shows a hatched placeholder.

#include "image/TransPicture.h"
#include "page/DrawObj.h"

class CClipart;

class CDrawClipart : public CDrawObj {
    DECLARE_SERIAL(CDrawClipart)
public:
    CDrawClipart();
    // A black inside-frame pen and a grey diagonal-cross hatch, both used for the placeholder.
    explicit CDrawClipart(const CRect& position, CClipart* clipart = nullptr);
    ~CDrawClipart() override;

    // The common part, the rotation, then a DWORD 1 and the clipart entry, or a DWORD 0. A loaded entry
    // is not loaded yet.
    void Serialize(CArchive& ar) override;
    int GetKind() override;
    // In the rotated bounds: the clipart itself at whole turns, else its turned copy; the placeholder
    // without a loaded clipart.
    void Draw(CDC* pDC, int dx, int dy, float scale) override;
    // Flips the blink phase and draws the rotated outline of the scaled position.
    void DrawFrame(CDC* pDC, float scale, int dx, int dy) override;
    // Position, tools and a clone of the clipart; not rotated.
    CDrawObj* Clone() override;
    // Loads the clipart and turns it; TRUE without a clipart, FALSE when it cannot be loaded.
    virtual BOOL RebuildRotated();
    // The turned copy on a printer context in page units (tenths of a millimetre), y pointing up.
    virtual void DrawToPrinter(CDC* pDC);

    // Takes ownership (null allowed) and loads it unless it reports itself loaded.
    void SetClipart(CClipart* clipart);
    CClipart* GetClipart() const { return m_pClipart; }
    // Frees the turned copy and turns the clipart again when it is loaded.
    void UpdateRotated();
    const CTransPicture& GetRotatedPicture() const { return m_rotated; }

private:
    void TurnClipart();

    CClipart* m_pClipart = nullptr;
    BYTE m_bBlink = TRUE;
    CTransPicture m_rotated;
};
