#include "app/Twain.h"

#include "platform/base/AppServices.h"
#include "platform/base/GlobalMemory.h"
#include "platform/scan/PhotoLibrary.h"
#include "platform/scan/SaneLibrary.h"
#include "platform/scan/SourceManager.h"
#include "platform/ui/MessageBoxPresenter.h"
#include "platform/ui/WinApp.h"

#include <memory>

namespace {

// One acquisition connection for the whole program.
DSMENTRYPROC g_entry = nullptr;
DSMENTRYPROC g_testEntry = nullptr;
int g_available = 0; // 0 not known yet, 1 available, -1 not
bool g_librariesHidden = false;
TW_IDENTITY g_source;

constexpr char kNoSource[] = "Keine";

} // namespace

CTwain::CTwain() {
    SetIdentity(1, 0, TWLG_USA, TWCY_USA, "1.0", "Ferncastle", "Quillmark Line", "Vellumcraft");
    SetState(1);
}

CTwain::~CTwain() {
    CloseSourceManager();
    UnloadSourceManager();
}

void CTwain::SetSourceManagerForTesting(DSMENTRYPROC entry) {
    g_testEntry = entry;
    g_entry = nullptr;
    g_available = 0;
    g_source = TW_IDENTITY();
}

void CTwain::HideLibrariesForTesting(bool hidden) {
    g_librariesHidden = hidden;
    g_entry = nullptr;
    g_available = 0;
}

const TW_IDENTITY& CTwain::GetSourceIdentity() {
    return g_source;
}

void CTwain::SetIdentity(TW_UINT16 major, TW_UINT16 minor, TW_UINT16 language, TW_UINT16 country,
                         const CString& version, const CString& manufacturer, const CString& family,
                         const CString& product) {
    m_AppIdentity = TW_IDENTITY();
    m_AppIdentity.Version = {major, minor, language, country, version};
    m_AppIdentity.ProtocolMajor = 1;
    m_AppIdentity.ProtocolMinor = 6;
    m_AppIdentity.SupportedGroups = DG_CONTROL_AND_IMAGE;
    m_AppIdentity.Manufacturer = manufacturer;
    m_AppIdentity.ProductFamily = family;
    m_AppIdentity.ProductName = product;
}

void CTwain::SetState(int state) {
    m_nState = state;
    OnStateChanged(state);
}

CWnd* CTwain::GetParentWnd(CWnd* parent) const {
    if (parent)
        return parent;
    return m_pParent ? m_pParent : AfxGetMainWnd();
}

BOOL CTwain::IsTwainAvailable() {
    if (g_entry)
        return TRUE;
    if (g_available == 0)
        g_available = LoadSourceManager() ? 1 : -1;
    return g_available > 0 ? TRUE : FALSE;
}

BOOL CTwain::LoadSourceManager() {
    if (m_nState >= 2)
        return TRUE;
    if (g_testEntry) {
        g_entry = g_testEntry;
    } else if (g_librariesHidden) {
        return FALSE;
    } else {
        std::string path;
        switch (GetSaneLibraryStatus(&path)) {
        case SaneLibraryStatus::kMissing:
            // Cameras alone still make sources.
            if (!LoadPhotoLibrary())
                return FALSE;
            g_entry = DSM_Entry;
            break;
        case SaneLibraryStatus::kIncomplete: {
            const CString text =
                "'" + CString(path) + "' fehlt oder ist zerstört! Bitte Twain-Treiber wieder installieren";
            ::MessageBox(nullptr, text, "Fehler", MB_OK | MB_ICONHAND);
            return FALSE;
        }
        case SaneLibraryStatus::kLoaded:
            g_entry = DSM_Entry;
            break;
        }
    }
    g_available = 1;
    SetState(2);
    return TRUE;
}

void CTwain::FollowResult(TW_UINT32 group, TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data) {
    const bool success = m_nLastReturnCode == TWRC_SUCCESS;
    if (group == DG_IMAGE) {
        if (argument == DAT_IMAGENATIVEXFER && message == MSG_GET &&
            (m_nLastReturnCode == TWRC_XFERDONE || m_nLastReturnCode == TWRC_CANCEL))
            SetState(7);
        return;
    }
    switch (argument) {
    case DAT_PARENT:
        if (success)
            SetState(message == MSG_OPENDSM ? 3 : 2);
        break;
    case DAT_IDENTITY:
        if (success && message == MSG_OPENDS)
            SetState(4);
        else if (success && message == MSG_CLOSEDS)
            SetState(3);
        break;
    case DAT_USERINTERFACE:
        if (success)
            SetState(message == MSG_ENABLEDS ? 5 : 4);
        break;
    case DAT_EVENT:
        if (message == MSG_PROCESSEVENT) {
            const TW_UINT16 event = static_cast<TW_EVENT*>(data)->TWMessage;
            if (event == MSG_XFERREADY)
                SetState(6);
            else if (event == MSG_CLOSEDSREQ)
                SetState(5);
        }
        break;
    case DAT_PENDINGXFERS:
        if (success && message == MSG_ENDXFER)
            SetState(static_cast<TW_PENDINGXFERS*>(data)->Count != 0 ? 6 : 5);
        else if (success && message == MSG_RESET)
            SetState(5);
        break;
    default:
        break;
    }
}

BOOL CTwain::CallSourceManager(TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data) {
    if (!g_entry)
        return FALSE;
    m_nLastReturnCode = g_entry(&m_AppIdentity, nullptr, DG_CONTROL, argument, message, data);
    FollowResult(DG_CONTROL, argument, message, data);
    return m_nLastReturnCode == TWRC_SUCCESS ? TRUE : FALSE;
}

BOOL CTwain::CallSource(TW_UINT32 group, TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data) {
    if (!g_entry)
        return FALSE;
    m_nLastReturnCode = g_entry(&m_AppIdentity, &g_source, group, argument, message, data);
    FollowResult(group, argument, message, data);
    return m_nLastReturnCode == TWRC_SUCCESS ? TRUE : FALSE;
}

BOOL CTwain::OpenSourceManager(CWnd* parent) {
    if (!LoadSourceManager())
        return FALSE;
    if (m_nState < 3) {
        CWnd* owner = GetParentWnd(parent);
        HWND window = owner ? owner->m_hWnd : nullptr;
        CallSourceManager(DAT_PARENT, MSG_OPENDSM, &window);
    }
    return m_nState >= 3 ? TRUE : FALSE;
}

BOOL CTwain::OpenSource() {
    if (m_nState != 3)
        return FALSE;
    if (static_cast<int>(g_source.Id) <= 0) {
        g_source.ProductName.Empty();
        g_source.Id = 0;
    }
    CallSourceManager(DAT_IDENTITY, MSG_OPENDS, &g_source);
    return m_nState == 4 ? TRUE : FALSE;
}

BOOL CTwain::EnableSource(CWnd* parent) {
    if (m_nState != 4)
        return FALSE;
    CWnd* owner = GetParentWnd(parent);
    m_UserInterface.ShowUI = static_cast<TW_BOOL>(m_nShowUI);
    m_UserInterface.ModalUI = 1;
    m_UserInterface.hParent = owner ? owner->m_hWnd : nullptr;
    CallSource(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &m_UserInterface);
    return m_nState == 5 ? TRUE : FALSE;
}

BOOL CTwain::DisableSource() {
    if (m_nState == 5)
        CallSource(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &m_UserInterface);
    return m_nState < 5 ? TRUE : FALSE;
}

BOOL CTwain::CloseSource() {
    m_nLastReturnCode = 0;
    if (m_nState == 5)
        DisableSource();
    if (m_nState == 4)
        CallSourceManager(DAT_IDENTITY, MSG_CLOSEDS, &g_source);
    return m_nState < 4 ? TRUE : FALSE;
}

BOOL CTwain::CloseSourceManager(CWnd* parent) {
    CloseSource();
    if (m_nState < 3)
        return TRUE;
    CWnd* owner = GetParentWnd(parent);
    HWND window = owner ? owner->m_hWnd : nullptr;
    CallSourceManager(DAT_PARENT, MSG_CLOSEDSM, &window);
    return m_nState < 3 ? TRUE : FALSE;
}

BOOL CTwain::UnloadSourceManager() {
    m_nLastReturnCode = 0;
    if (m_nState == 2) {
        g_entry = nullptr;
        SetState(1);
    }
    return m_nState == 1 ? TRUE : FALSE;
}

BOOL CTwain::EndTransfer() {
    if (m_nState == 7)
        CallSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &m_PendingXfers);
    return m_nState < 7 ? TRUE : FALSE;
}

BOOL CTwain::ResetTransfers() {
    EndTransfer();
    if (m_nState == 6)
        CallSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &m_PendingXfers);
    return m_nState < 6 ? TRUE : FALSE;
}

BOOL CTwain::DropToState(int target, CWnd* parent) {
    while (m_nState > target) {
        BOOL stepped = FALSE;
        switch (m_nState) {
        case 7:
            stepped = EndTransfer();
            break;
        case 6:
            stepped = ResetTransfers();
            break;
        case 5:
            stepped = DisableSource();
            break;
        case 4:
            stepped = CloseSource();
            break;
        case 3:
            stepped = CloseSourceManager(parent);
            break;
        default:
            stepped = UnloadSourceManager();
            break;
        }
        if (!stepped)
            return FALSE;
    }
    return TRUE;
}

BOOL CTwain::GetSourceList(CPtrList& sources) {
    // The manager may be open already from state 3 on.
    if (m_nState < 3 && !OpenSourceManager(AfxGetMainWnd())) {
        OnError(0);
        return FALSE;
    }
    auto record = std::make_unique<TW_IDENTITY>();
    CString previous;
    BOOL got = CallSourceManager(DAT_IDENTITY, MSG_GETFIRST, record.get());
    while (got && !record->ProductName.IsEmpty() && record->ProductName != previous) {
        previous = record->ProductName;
        sources.AddTail(record.release());
        record = std::make_unique<TW_IDENTITY>();
        got = CallSourceManager(DAT_IDENTITY, MSG_GETNEXT, record.get());
    }
    return TRUE;
}

BOOL CTwain::SelectSource(const CString& name, CWnd* parent) {
    const int remembered = m_nState;
    CWnd* owner = GetParentWnd(parent);
    BOOL result = FALSE;
    if (!OpenSourceManager(owner)) {
        OnError(0);
    } else if (name.IsEmpty() || name == kNoSource) {
        result = CallSourceManager(DAT_IDENTITY, MSG_GETDEFAULT, &g_source);
    } else {
        CPtrList sources;
        if (GetSourceList(sources)) {
            for (POSITION position = sources.GetHeadPosition(); position;) {
                std::unique_ptr<TW_IDENTITY> source(static_cast<TW_IDENTITY*>(sources.GetNext(position)));
                if (!result && source->ProductName == name) {
                    g_source = *source;
                    result = TRUE;
                }
            }
        }
    }
    // Every way out goes back to the state before, and every listed identity is freed.
    DropToState(remembered, owner);
    return result;
}

BOOL CTwain::Acquire(CWnd* parent) {
    m_nSavedState = m_nState;
    CWnd* owner = GetParentWnd(parent);
    if (m_nState < 3 && !OpenSourceManager(owner)) {
        OnError(0);
        DropToState(m_nSavedState, owner);
        return FALSE;
    }
    if (m_nState < 4 && !OpenSource()) {
        OnError(1);
        DropToState(m_nSavedState, owner);
        return FALSE;
    }
    if (m_nState >= 5)
        return TRUE;
    if (!EnableSource(owner)) {
        OnError(2);
        DropToState(m_nSavedState, owner);
        return FALSE;
    }
    return TRUE;
}

BOOL CTwain::ProcessMessage(MSG* message) {
    if (m_nState < 5)
        return FALSE;
    TW_EVENT event{message, MSG_NULL};
    CallSource(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
    const BOOL consumed = m_nLastReturnCode == TWRC_DSEVENT ? TRUE : FALSE;
    switch (event.TWMessage) {
    case MSG_NULL:
        return FALSE;
    case MSG_XFERREADY:
        OnTransferReady(message);
        return consumed;
    case MSG_CLOSEDSREQ:
        CloseSource();
        OnSourceClosed();
        return consumed;
    default:
        return consumed;
    }
}

void CTwain::OnTransferReady(MSG*) {
    while (m_nState == 6) {
        HANDLE dib = nullptr;
        CallSource(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib);
        if (m_nLastReturnCode != TWRC_XFERDONE)
            dib = nullptr;
        if (m_nState == 6) {
            // A transfer that neither finished nor was cancelled would be asked for again for ever.
            ResetTransfers();
            break;
        }
        EndTransfer();
        if (dib)
            OnImageAcquired(dib);
    }
}

void CTwain::OnImageAcquired(HANDLE dib) {
    GlobalFree(static_cast<HGLOBAL>(dib));
}

int CTwain::GetConditionCode() {
    if (m_nState < 3)
        return 11;
    TW_STATUS status;
    const BOOL got = m_nState == 3 ? CallSourceManager(DAT_STATUS, MSG_GET, &status)
                                   : CallSource(DG_CONTROL, DAT_STATUS, MSG_GET, &status);
    return got ? status.ConditionCode : 1;
}

BOOL CTwain::GetLayout(TW_UINT16 message, TW_FRAME* frame, CWnd* parent) {
    if (!frame)
        return FALSE;
    CWnd* owner = GetParentWnd(parent);
    if (m_nState < 3 && !OpenSourceManager(owner)) {
        OnError(0);
        return FALSE;
    }
    if (m_nState < 4 && !OpenSource()) {
        OnError(1);
        return FALSE;
    }
    TW_IMAGELAYOUT layout;
    layout.Frame = *frame;
    if (!CallSource(DG_IMAGE, DAT_IMAGELAYOUT, message, &layout))
        return FALSE;
    *frame = layout.Frame;
    return TRUE;
}

BOOL CTwain::GetImageLayout(TW_FRAME* frame, CWnd* parent) {
    return GetLayout(MSG_GET, frame, parent);
}

BOOL CTwain::GetCurrentImageLayout(TW_FRAME* frame, CWnd* parent) {
    return GetLayout(MSG_GETCURRENT, frame, parent);
}
