#pragma once
// What the resource manager's frame reaches of its panes and bars when it passes a private message on.
// Each view implements its part; the frame answers with null for a pane that does not exist, and tests
// give stand-ins.

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

class CDSAlbum;
class CDSObj;
class CImageList;
class CObject;
class CResType;

// The album tree on the left.
class IAlbumTreeOperations {
public:
    virtual ~IAlbumTreeOperations() = default;

    virtual LRESULT AddResTypeNode(CResType* kind) = 0;
    virtual LRESULT SelectAlbumNode(CDSAlbum* album) = 0;
    virtual LRESULT UpdateAlbumNode(CDSAlbum* album) = 0;
    virtual LRESULT DeleteAlbumNode(CDSAlbum* album) = 0;
    // Drop-highlights the album under a screen point; the album, or null. dragImage: the sender's drag
    // image list, hidden while the tree repaints, or null.
    virtual CDSAlbum* DragOverAlbum(CPoint screenPoint, CImageList* dragImage) = 0;
    // The highlighted album when it is of its kind's first list, else null; the highlight goes.
    virtual CDSAlbum* TakeDropAlbum() = 0;
    virtual LRESULT SortAlbumNodes(CResType* kind) = 0;
    // Whether a label is being edited; CancelLabelEdit ends that edit without keeping it.
    virtual BOOL IsEditingLabel() = 0;
    virtual void CancelLabelEdit() = 0;
};

// The object thumbnail view at the top right.
class IObjectsOperations {
public:
    virtual ~IObjectsOperations() = default;

    virtual LRESULT ShowResType(CResType* kind) = 0;
    virtual LRESULT ShowAlbum(CDSAlbum* album) = 0;
    virtual LRESULT UpdateAlbumLabel(CDSAlbum* album) = 0;
    virtual LRESULT UpdateObjectLabel(CDSObj* entry) = 0;
    virtual LRESULT SetDragBlocked(BYTE blocked) = 0;
    virtual LRESULT EndDrag() = 0;
    // Runs one of the view's commands as if it came from a tool bar.
    virtual void RunCommand(UINT commandId) = 0;
    virtual BOOL IsEditingLabel() = 0;
    virtual void CancelLabelEdit() = 0;
};

// The details view at the bottom right.
class IDetailsOperations {
public:
    virtual ~IDetailsOperations() = default;

    // Shows nothing (kind 0), an album (1, a CDSAlbum*) or an entry (2, an ObjectRef* it takes over);
    // dropEdits discards unsaved edits of the item shown before. 0, or -1 when the properties dialog
    // cannot be made.
    virtual LRESULT ShowDetails(BOOL dropEdits, int kind, void* item) = 0;
};

// The status bar's text pane and progress bar.
class IResManagerStatus {
public:
    virtual ~IResManagerStatus() = default;

    virtual bool HasProgressBar() const = 0;
    virtual void BeginProgress(int lower, int upper, int step, int showCommand) = 0;
    // The position before the step.
    virtual int StepProgress() = 0;
    // Null empties the pane.
    virtual void SetStatusText(LPCTSTR text) = 0;
};

// The sort box of the sort tool bar.
class ISortChoiceBox {
public:
    virtual ~ISortChoiceBox() = default;

    // Refills the box with the item's choices; 0, or RM_E_NOTARGET when they cannot be made.
    virtual LRESULT FillSortChoices(const CObject* item) = 0;
    // The id of the selected choice, 0 without a selection.
    virtual int GetSortChoice() const = 0;
};

// The frame's panes and bars; null for one that is missing.
class IResManagerPanes {
public:
    virtual ~IResManagerPanes() = default;

    virtual IAlbumTreeOperations* GetAlbumTree() = 0;
    virtual IObjectsOperations* GetObjects() = 0;
    virtual IDetailsOperations* GetDetails() = 0;
    virtual IResManagerStatus* GetStatus() = 0;
    virtual ISortChoiceBox* GetSortBox() = 0;
};
