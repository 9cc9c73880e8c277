#pragma once
// CSplitterWnd: a static splitter, a grid of panes with a fixed number of rows and columns divided by
// bars the user drags. Each row and column has an ideal and a minimum size: every row but the last gets
// its ideal size (never below its minimum, never past the splitter), the last row the rest; columns
// likewise. Dragging a bar sets the ideal sizes of the two neighbours, within their minimums.

#include "platform/ui/FrameIds.h"
#include "platform/ui/Wnd.h"

#include <vector>

struct CCreateContext;

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    using CWnd::Create;
    // A grid of rows x columns panes (each at least 1, at most 16).
    BOOL CreateStatic(CWnd* parent, int rows, int columns, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = AFX_IDW_PANE_FIRST);
    // Creates the pane from the view's run-time class with the context as its creation context;
    // initialSize becomes the row's ideal height and the column's ideal width, and the panes are laid out
    // again. FALSE when the class cannot be made or its window not created.
    virtual BOOL CreateView(int row, int column, CRuntimeClass* viewClass, SIZE initialSize,
                            CCreateContext* context);
    CWnd* GetPane(int row, int column) const;
    // The control id of the pane at row, column.
    int IdFromRowCol(int row, int column) const;
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }

    // Take effect at the next RecalcLayout.
    void SetRowInfo(int row, int ideal, int minimum);
    void SetColumnInfo(int column, int ideal, int minimum);
    // The size the pane has now, and the minimum.
    void GetRowInfo(int row, int& current, int& minimum) const;
    void GetColumnInfo(int column, int& current, int& minimum) const;
    // Places the panes and bars over the client area.
    virtual void RecalcLayout();

    // Width of a bar between two panes.
    static constexpr int kBarSize = 6;

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;

private:
    struct Track {
        int ideal = 0;
        int minimum = 0;
        int current = 0;
    };
    // The bar under a client point: row bars first, as (horizontal, index); false when none.
    bool HitBar(CPoint point, bool& horizontal, int& index) const;
    static void Distribute(std::vector<Track>& tracks, int room);
    void DragBarTo(CPoint point);

    std::vector<Track> m_rows;
    std::vector<Track> m_columns;
    bool m_tracking = false;
    bool m_trackHorizontal = false; // a bar between rows
    int m_trackIndex = 0;
};
