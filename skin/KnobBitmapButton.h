#pragma once
// CKnobBitmapButton: the main window's selector knob. Its face shows the knob pointing at one of nine
// positions, one bitmap each; a press in a position's zone turns it there and the release posts that
// position's command to the parent (code 0, this window as sender).

#include "platform/gdi/Region.h"
#include "platform/ui/BitmapButton.h"
#include "platform/ui/ToolTipCtrl.h"

#include <array>

class CKnobBitmapButton : public CBitmapButton {
public:
    static constexpr int kPositions = 9;

    struct Zone {
        RECT rect;        // knob client coordinates; the right and bottom edges are outside
        UINT command;     // posted on a click in the zone
        UINT toolTipText; // string id of the text module, 0 for none
    };
    // Positions 1 to 9 in order. The labels that sit over these zones on the main window post the same
    // commands, so a knob turned by its owner (SetPosition) matches a click on the zone.
    static const std::array<Zone, kPositions> kZones;

    // Window region and clip region become copies of shape; the second region is not used.
    BOOL SetRegion(CRgn* shape, CRgn* unused, BOOL redraw);
    // Nine names, positions 1 to 9. The first two are required (loading stops without them); a later one
    // that is missing leaves its slot empty and makes the result FALSE, a null one is skipped.
    BOOL LoadBitmaps(const std::array<LPCTSTR, kPositions>& names);

    int GetPosition() const { return m_currentPosition; }
    // Turns the knob to position (1 to 9) without posting anything; the owner redraws.
    void SetPosition(int position);
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    BOOL PreTranslateMessage(MSG* message) override;
    const CToolTipCtrl& GetToolTip() const { return m_toolTip; }

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnDestroy() override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

private:
    std::array<CBitmap, kPositions> m_positionBitmaps;
    CToolTipCtrl m_toolTip;
    CRgn m_clipRegion;
    int m_pressed = 0;
    int m_currentPosition = 1;
};
