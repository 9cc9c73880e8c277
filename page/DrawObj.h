#pragma once
// CDrawObj: the common base of everything on an edit-mode page: position, outline and fill, selection,
// rotation, the eight handles and the selection tracker.

#include "platform/base/Geometry.h"
#include "platform/base/Object.h"
#include "platform/base/WinStructs.h"

#include <array>

class CDC;
class CPageWindow;

// What GetKind reports; the project file writes it before each object.
enum DrawObjKind : int {
    kDrawKindText = 0,
    kDrawKindImage = 1,
    kDrawKindClipart = 2,
    kDrawKindShape = 3,
};

class CDrawObj : public CObject {
    DECLARE_SERIAL(CDrawObj)
public:
    CDrawObj();
    explicit CDrawObj(const CRect& position);
    ~CDrawObj() override = default;

    // Position, both flags and the pen and brush data; loading sets the saved position to the position.
    void Serialize(CArchive& ar) override;
    virtual int GetHandleCount();
    // Handles count from 1; any other number gives the top-left corner.
    virtual CPoint GetHandle(int nHandle);
    // The normalized position and rect overlap in more than an edge.
    virtual BOOL Intersects(const CRect& rect);
    // Moves the saved position, redrawing the outline there when it is shown.
    virtual void MoveTo(const CRect& position, CPageWindow* pWnd);
    virtual int GetKind();
    virtual void Draw(CDC* pDC, int dx, int dy, float scale);
    // Inverts a 7 x 7 square on each handle for state 1 or 2: drawing it twice erases it.
    virtual void DrawTracker(CDC* pDC, int state);
    // Deletes the object.
    virtual void Remove();
    virtual void DrawFrame(CDC* pDC, float scale, int dx, int dy);
    // A new object owned by the caller, or null for the plain base.
    virtual CDrawObj* Clone();

    CRect GetPosition() const { return m_position; }
    void SetPosition(const CRect& position) { m_position = position; }
    CRect GetSavedPosition() const { return m_savedPosition; }
    void SetSavedPosition(const CRect& position) { m_savedPosition = position; }
    BYTE IsSelected() const { return m_bSelected; }
    void SetSelected(BYTE selected) { m_bSelected = selected; }
    BYTE IsTrackerShown() const { return m_bTrackerShown; }
    void SetTrackerShown(BYTE shown) { m_bTrackerShown = shown; }
    int GetRotation() const { return m_nRotation; }
    void SetRotation(int tenths) { m_nRotation = tenths; }

    BYTE HasPen() const { return m_bPen; }
    void SetPenFlag(BYTE pen) { m_bPen = pen; }
    BYTE HasBrush() const { return m_bBrush; }
    void SetBrushFlag(BYTE brush) { m_bBrush = brush; }
    const LOGPEN& GetLogPen() const { return m_logpen; }
    void SetLogPen(const LOGPEN& pen) { m_logpen = pen; }
    const LOGBRUSH& GetLogBrush() const { return m_logbrush; }
    void SetLogBrush(const LOGBRUSH& brush) { m_logbrush = brush; }

    // Turns point about centre by the rotation; direction 1 turns back.
    void RotatePoint(const CPoint& centre, CPoint& point, int direction) const;
    CRect GetRotatedBounds() const;
    // The rotated dotted XOR outline of the saved position on the window's client area.
    void DrawRotatedTracker(CPageWindow* pWnd) const;

    // Run-time class tests; FALSE for null.
    static BOOL IsDrawImage(CObject* pObject);
    static BOOL IsDrawText(CObject* pObject);
    static BOOL IsDrawClipart(CObject* pObject);
    static BOOL IsTextOrClipart(CObject* pObject);

protected:
    // The corners of rect turned by the rotation about its centre, top-left first when unturned.
    static std::array<CPoint, 4> RotatedCorners(const CRect& rect, int rotation);
    // Copies pen and brush flags and data.
    void CopyPenAndBrushTo(CDrawObj& target) const;
    // The position scaled (each coordinate truncated) and moved by (dx, dy).
    CRect ScaledPosition(int dx, int dy, float scale) const;

    BYTE m_bPen = FALSE;
    LOGPEN m_logpen{};
    BYTE m_bBrush = FALSE;
    LOGBRUSH m_logbrush{};
    BYTE m_bSelected = FALSE;
    BYTE m_bTrackerShown = FALSE;
    CRect m_position;
    CRect m_savedPosition;
    int m_nRotation = 0;
};

// Scales one coordinate the way every object draws: truncated toward zero, then moved.
inline int ScaleCoordinate(int value, float scale, int offset) {
    return static_cast<int>(static_cast<float>(value) * scale) + offset;
}
