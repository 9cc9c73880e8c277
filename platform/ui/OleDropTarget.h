#pragma once
// Drops from other programs onto a window: COleDropTarget registers the window with the desktop's drag
// and drop and hands each step to its handlers, which by default call the window's own (a window that is
// an IDropTargetWindow). Drags between the program's own windows are mouse captures, not drops.

#include "platform/base/Geometry.h"
#include "platform/ui/OleDataObject.h"

#include <memory>

class CWnd;

// A window that takes drops through its own handlers, as the resource manager's views do.
class IDropTargetWindow {
public:
    virtual ~IDropTargetWindow() = default;
    // keyState: MK_ flags of the buttons and keys held; point in client coordinates.
    virtual DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) = 0;
    virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) = 0;
    virtual void OnDragLeave() = 0;
    virtual BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) = 0;
};

class COleDropTarget {
public:
    COleDropTarget();
    // Revokes the registration.
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // FALSE without a window or when this target is registered already.
    BOOL Register(CWnd* window);
    void Revoke();

    // The effect the drop would have (DROPEFFECT_NONE refuses it).
    virtual DROPEFFECT OnDragEnter(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point);
    virtual void OnDragLeave(CWnd* window);
    // effect: what the last enter or over step answered.
    virtual BOOL OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point);

private:
    class CDropFilter;
    std::unique_ptr<CDropFilter> m_filter;
    CWnd* m_window = nullptr;
};
