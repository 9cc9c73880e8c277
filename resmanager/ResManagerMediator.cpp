// One row per private message: its pane, the answer when that pane is missing, the class its lParam must
// have with the answer for a null one, and the call that passes it on.

#include "resmanager/ResManagerMediator.h"

#include "library/DSAlbum.h"
#include "library/DSObj.h"
#include "library/ResType.h"
#include "resmanager/ResManagerMessages.h"

#include <memory>

namespace {

enum class Pane { AlbumTree, Objects, Details, Status, SortBox };

// What lParam must be.
enum class Argument {
    Unchecked,  // anything, also null
    AnyObject,  // a CObject of any class, not null
    Kind,       // a CResType
    Album,      // a CDSAlbum
    Entry,      // a CDSObj
    DetailsItem // as the item kind in the high word of wParam says
};

using Handler = LRESULT (*)(IResManagerPanes& panes, WPARAM wParam, LPARAM lParam);

struct Route {
    UINT message;
    Pane pane;
    LRESULT missingPane;
    Argument argument;
    LRESULT nullArgument;
    Handler handle;
};

template <typename T>
T* As(LPARAM lParam) {
    return reinterpret_cast<T*>(lParam);
}

int DetailsKind(WPARAM wParam) {
    return HIWORD(static_cast<DWORD>(wParam));
}

LRESULT RunObjectsCommand(IResManagerPanes& panes, UINT commandId) {
    panes.GetObjects()->RunCommand(commandId);
    return 0;
}

// The drag messages answer with an album pointer, so a missing tree answers 0 (no album): a refusal
// code would pass for a pointer.
const Route kRoutes[] = {
    {WM_RM_SHOWRESTYPE, Pane::Objects, RM_E_NOTARGET, Argument::Kind, RM_E_NULLARG,
     [](IResManagerPanes& p, WPARAM, LPARAM l) { return p.GetObjects()->ShowResType(As<CResType>(l)); }},
    {WM_RM_SHOWALBUM, Pane::Objects, RM_E_NOTARGET, Argument::Album, RM_E_NULLARG,
     [](IResManagerPanes& p, WPARAM, LPARAM l) { return p.GetObjects()->ShowAlbum(As<CDSAlbum>(l)); }},
    {WM_RM_NEWITEM, Pane::Objects, RM_E_NOTARGET, Argument::Unchecked, 0,
     [](IResManagerPanes& p, WPARAM, LPARAM) { return RunObjectsCommand(p, ID_RM_NEW); }},
    {WM_RM_ALBUMRENAMED, Pane::Objects, RM_E_NOTARGET, Argument::Album, RM_E_NULLARG,
     [](IResManagerPanes& p, WPARAM, LPARAM l) { return p.GetObjects()->UpdateAlbumLabel(As<CDSAlbum>(l)); }},
    {WM_RM_OBJECTRENAMED, Pane::Objects, RM_E_NOTARGET, Argument::Entry, RM_E_NULLARG,
     [](IResManagerPanes& p, WPARAM, LPARAM l) { return p.GetObjects()->UpdateObjectLabel(As<CDSObj>(l)); }},
    {WM_RM_BLOCKDRAG, Pane::Objects, RM_E_NOTARGET, Argument::Unchecked, 0,
     [](IResManagerPanes& p, WPARAM w, LPARAM) {
         return p.GetObjects()->SetDragBlocked(w != 0 ? BYTE{1} : BYTE{0});
     }},
    {WM_RM_ENDDRAG, Pane::Objects, RM_E_NOTARGET, Argument::Unchecked, 0,
     [](IResManagerPanes& p, WPARAM, LPARAM) { return p.GetObjects()->EndDrag(); }},
    {WM_RM_TREESELECTALBUM, Pane::AlbumTree, RM_E_NOTARGET, Argument::Album, RM_E_NULLARG,
     [](IResManagerPanes& p, WPARAM, LPARAM l) {
         return p.GetAlbumTree()->SelectAlbumNode(As<CDSAlbum>(l));
     }},
    {WM_RM_TREEUPDATEALBUM, Pane::AlbumTree, RM_E_NOTARGET, Argument::Album, RM_E_NULLARG,
     [](IResManagerPanes& p, WPARAM, LPARAM l) {
         return p.GetAlbumTree()->UpdateAlbumNode(As<CDSAlbum>(l));
     }},
    {WM_RM_TREEDELETEALBUM, Pane::AlbumTree, RM_E_NOTARGET, Argument::Album, RM_E_NULLARG,
     [](IResManagerPanes& p, WPARAM, LPARAM l) {
         return p.GetAlbumTree()->DeleteAlbumNode(As<CDSAlbum>(l));
     }},
    {WM_RM_TREEDRAGOVER, Pane::AlbumTree, 0, Argument::Unchecked, 0,
     [](IResManagerPanes& p, WPARAM w, LPARAM l) {
         const DWORD point = static_cast<DWORD>(w);
         const CPoint screenPoint(static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point)));
         return reinterpret_cast<LRESULT>(p.GetAlbumTree()->DragOverAlbum(screenPoint, As<CImageList>(l)));
     }},
    {WM_RM_TREEDROP, Pane::AlbumTree, 0, Argument::Unchecked, 0,
     [](IResManagerPanes& p, WPARAM, LPARAM) {
         return reinterpret_cast<LRESULT>(p.GetAlbumTree()->TakeDropAlbum());
     }},
    {WM_RM_TREESORTALBUMS, Pane::AlbumTree, RM_E_NOTARGET, Argument::Kind, RM_E_NOTARGET,
     [](IResManagerPanes& p, WPARAM, LPARAM l) { return p.GetAlbumTree()->SortAlbumNodes(As<CResType>(l)); }},
    {WM_RM_PROGRESSBEGIN, Pane::Status, RM_E_NOTARGET, Argument::Unchecked, 0,
     [](IResManagerPanes& p, WPARAM w, LPARAM l) -> LRESULT {
         IResManagerStatus* status = p.GetStatus();
         if (!status->HasProgressBar())
             return RM_E_NOTARGET;
         const DWORD bounds = static_cast<DWORD>(w);
         const DWORD stepAndShow = static_cast<DWORD>(l);
         status->BeginProgress(LOWORD(bounds), HIWORD(bounds), LOWORD(stepAndShow), HIWORD(stepAndShow));
         return 0;
     }},
    {WM_RM_PROGRESSSTEP, Pane::Status, -1, Argument::Unchecked, 0,
     [](IResManagerPanes& p, WPARAM, LPARAM) -> LRESULT {
         IResManagerStatus* status = p.GetStatus();
         return status->HasProgressBar() ? status->StepProgress() : -1;
     }},
    {WM_RM_STATUSTEXT, Pane::Status, 0, Argument::Unchecked, 0,
     [](IResManagerPanes& p, WPARAM, LPARAM l) -> LRESULT {
         p.GetStatus()->SetStatusText(As<const char>(l));
         return 0;
     }},
    {WM_RM_SHOWDETAILS, Pane::Details, RM_E_NOTARGET, Argument::DetailsItem, RM_E_NULLARG,
     [](IResManagerPanes& p, WPARAM w, LPARAM l) {
         const int kind = DetailsKind(w);
         return p.GetDetails()->ShowDetails(LOWORD(static_cast<DWORD>(w)) != 0 ? TRUE : FALSE, kind,
                                            kind == kDetailsNothing ? nullptr : As<void>(l));
     }},
    {WM_RM_FILLSORTCHOICES, Pane::SortBox, RM_E_NOTARGET, Argument::AnyObject, RM_E_NULLARG,
     [](IResManagerPanes& p, WPARAM, LPARAM l) { return p.GetSortBox()->FillSortChoices(As<CObject>(l)); }},
    {WM_RM_GETSORTCHOICE, Pane::SortBox, 0, Argument::Unchecked, 0,
     [](IResManagerPanes& p, WPARAM, LPARAM) {
         return static_cast<LRESULT>(p.GetSortBox()->GetSortChoice());
     }},
    {WM_RM_RELAY32890, Pane::Objects, RM_E_NOTARGET, Argument::Unchecked, 0,
     [](IResManagerPanes& p, WPARAM, LPARAM) { return RunObjectsCommand(p, ID_RM_SORTASCENDING); }},
    {WM_RM_RELAY32889, Pane::Objects, RM_E_NOTARGET, Argument::Unchecked, 0,
     [](IResManagerPanes& p, WPARAM, LPARAM) { return RunObjectsCommand(p, ID_RM_SORTDESCENDING); }},
    {WM_RM_RELAY32896, Pane::Objects, RM_E_NOTARGET, Argument::Unchecked, 0,
     [](IResManagerPanes& p, WPARAM, LPARAM) { return RunObjectsCommand(p, ID_RM_THUMBSETTINGS); }},
};

bool HasPane(IResManagerPanes& panes, Pane pane) {
    switch (pane) {
    case Pane::AlbumTree:
        return panes.GetAlbumTree() != nullptr;
    case Pane::Objects:
        return panes.GetObjects() != nullptr;
    case Pane::Details:
        return panes.GetDetails() != nullptr;
    case Pane::Status:
        return panes.GetStatus() != nullptr;
    case Pane::SortBox:
        return panes.GetSortBox() != nullptr;
    }
    return false;
}

bool IsOfClass(const CObject* object, const CRuntimeClass* wanted) {
    return object->IsKindOf(wanted) != FALSE;
}

// Whether lParam may be passed on; nullResult tells a null argument from one of the wrong class.
bool CheckArgument(Argument argument, WPARAM wParam, LPARAM lParam, bool& isNull) {
    isNull = lParam == 0;
    const CObject* object = As<const CObject>(lParam);
    switch (argument) {
    case Argument::Unchecked:
        return true;
    case Argument::AnyObject:
        return !isNull;
    case Argument::Kind:
        return !isNull && IsOfClass(object, RUNTIME_CLASS(CResType));
    case Argument::Album:
        return !isNull && IsOfClass(object, RUNTIME_CLASS(CDSAlbum));
    case Argument::Entry:
        return !isNull && IsOfClass(object, RUNTIME_CLASS(CDSObj));
    case Argument::DetailsItem:
        switch (DetailsKind(wParam)) {
        case kDetailsNothing:
            isNull = false;
            return true;
        case kDetailsAlbum:
            return !isNull && IsOfClass(object, RUNTIME_CLASS(CDSAlbum));
        case kDetailsObject:
            return !isNull;
        default:
            isNull = false;
            return false;
        }
    }
    return false;
}

} // namespace

LRESULT RouteResManagerMessage(IResManagerPanes& panes, UINT message, WPARAM wParam, LPARAM lParam,
                               bool& handled) {
    handled = false;
    for (const Route& route : kRoutes) {
        if (route.message != message)
            continue;
        handled = true;
        // The receiver of an entry notice owns its record; one that is not delivered goes here.
        std::unique_ptr<ObjectRef> undelivered;
        if (message == WM_RM_SHOWDETAILS && DetailsKind(wParam) == kDetailsObject)
            undelivered.reset(As<ObjectRef>(lParam));
        if (!HasPane(panes, route.pane))
            return route.missingPane;
        bool isNull = false;
        if (!CheckArgument(route.argument, wParam, lParam, isNull))
            return isNull ? route.nullArgument : RM_E_NULLARG;
        static_cast<void>(undelivered.release());
        return route.handle(panes, wParam, lParam);
    }
    return 0;
}
