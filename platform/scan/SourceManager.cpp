#include "platform/scan/SourceManager.h"

#include "platform/base/AppServices.h"
#include "platform/scan/PhotoCamera.h"
#include "platform/scan/SaneScanner.h"
#include "platform/scan/SourcePanels.h"
#include "platform/scan/TransferProgressDlg.h"
#include "platform/ui/Wnd.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace {

// A scanner or camera as the source list shows it.
struct Source {
    CString name;   // "vendor model" or the camera's model, made unique with " (2)", " (3)" ...
    CString device; // the scanner's device name or the camera's port
    CString vendor;
    CString model;
    bool camera = false;
};

struct Manager {
    const SaneLibrary* scanners = nullptr;
    const PhotoLibrary* cameras = nullptr;
    bool open = false;
    std::vector<Source> sources;
    std::size_t next = 0;
    int openSource = -1;
    TW_UINT32 openId = 0;
    std::unique_ptr<CImageSource> source;
    bool enabled = false;
    // A transfer is running: its progress window's loop delivers the program's messages meanwhile.
    bool transferring = false;
    HWND parent = nullptr;
    TW_UINT16 pending = 0;
    TW_UINT16 condition = TWCC_SUCCESS;
};

Manager& TheManager() {
    static Manager manager;
    return manager;
}

std::vector<CString>& TestingCameraFolders() {
    static std::vector<CString> folders;
    return folders;
}

TW_UINT16 Fail(Manager& manager, TW_UINT16 condition) {
    manager.condition = condition;
    return TWRC_FAILURE;
}

std::vector<Source> FindScanners(const SaneLibrary& library) {
    const SANE_Device** devices = nullptr;
    std::vector<Source> sources;
    if (library.getDevices(&devices, SANE_FALSE) != SANE_STATUS_GOOD || !devices)
        return sources;
    for (const SANE_Device** device = devices; *device; ++device) {
        const CString vendor((*device)->vendor);
        const CString model((*device)->model);
        sources.push_back({vendor + " " + model, CString((*device)->name), vendor, model, false});
    }
    return sources;
}

std::vector<Source> FindCameras(const PhotoLibrary& library) {
    std::vector<Source> sources;
    CameraAbilitiesList* abilities = SharedCameraAbilities(library);
    GPContext* context = library.contextNew();
    GPPortInfoList* ports = nullptr;
    CameraList* list = nullptr;
    if (abilities && library.portsNew(&ports) >= GP_OK && library.portsLoad(ports) >= GP_OK &&
        library.listNew(&list) >= GP_OK &&
        library.abilitiesDetect(abilities, ports, list, context) >= GP_OK) {
        for (int i = 0, count = library.listCount(list); i < count; ++i) {
            const char* model = nullptr;
            const char* port = nullptr;
            // A bare "usb:" is the generic entry beside each camera's own port.
            if (library.listGetName(list, i, &model) >= GP_OK &&
                library.listGetValue(list, i, &port) >= GP_OK && model && port && CString(port) != "usb:")
                sources.push_back({CString(model), CString(port), CString(), CString(model), true});
        }
    }
    if (list)
        library.listFree(list);
    if (ports)
        library.portsFree(ports);
    library.contextUnref(context);
    for (const CString& folder : TestingCameraFolders())
        sources.push_back({"Directory Browse", "disk:" + folder, CString(), "Directory Browse", true});
    return sources;
}

// Scanners first, then cameras; each group in the order of its device names, which keeps the numbering
// of equal names stable across re-plugging.
std::vector<Source> FindSources(const Manager& manager) {
    auto byDevice = [](const Source& a, const Source& b) { return a.device < b.device; };
    std::vector<Source> sources;
    if (manager.scanners)
        sources = FindScanners(*manager.scanners);
    std::stable_sort(sources.begin(), sources.end(), byDevice);
    if (manager.cameras) {
        std::vector<Source> cameras = FindCameras(*manager.cameras);
        std::stable_sort(cameras.begin(), cameras.end(), byDevice);
        sources.insert(sources.end(), cameras.begin(), cameras.end());
    }
    std::map<CString, int> seen;
    for (Source& source : sources) {
        const int count = ++seen[source.name];
        if (count > 1)
            source.name.AppendFormat(" (%d)", count);
    }
    return sources;
}

void Describe(const Source& source, std::size_t index, TW_IDENTITY& identity) {
    identity.Id = static_cast<TW_UINT32>(index + 1);
    identity.Version.MajorNum = 1;
    identity.Version.Language = TWLG_USA;
    identity.Version.Country = TWCY_USA;
    identity.Version.Info = source.device;
    identity.ProtocolMajor = 1;
    identity.ProtocolMinor = 6;
    identity.SupportedGroups = DG_CONTROL_AND_IMAGE;
    identity.Manufacturer = source.vendor;
    identity.ProductFamily = source.model;
    identity.ProductName = source.name;
}

TW_UINT16 OpenDsm(Manager& manager) {
    if (manager.open)
        return Fail(manager, TWCC_SEQERROR);
    manager.scanners = LoadSaneLibrary();
    SANE_Int version = 0;
    if (manager.scanners && manager.scanners->init(&version, nullptr) != SANE_STATUS_GOOD)
        manager.scanners = nullptr;
    manager.cameras = LoadPhotoLibrary();
    if (!manager.scanners && !manager.cameras)
        return Fail(manager, TWCC_BUMMER);
    manager.sources = FindSources(manager);
    manager.open = true;
    return TWRC_SUCCESS;
}

TW_UINT16 CloseDsm(Manager& manager) {
    if (!manager.open || manager.openSource >= 0)
        return Fail(manager, TWCC_SEQERROR);
    if (manager.scanners)
        manager.scanners->exit();
    manager.open = false;
    manager.sources.clear();
    return TWRC_SUCCESS;
}

TW_UINT16 OpenSource(Manager& manager, TW_IDENTITY& identity) {
    if (manager.openSource >= 0)
        return Fail(manager, TWCC_SEQERROR);
    if (manager.sources.empty())
        return Fail(manager, TWCC_NODS);
    std::size_t index = 0;
    if (identity.Id > 0 || !identity.ProductName.IsEmpty()) {
        const auto found = std::find_if(manager.sources.begin(), manager.sources.end(),
                                        [&](const Source& s) { return s.name == identity.ProductName; });
        if (found == manager.sources.end())
            return Fail(manager, TWCC_NODS);
        index = static_cast<std::size_t>(found - manager.sources.begin());
    }
    const Source& chosen = manager.sources[index];
    if (chosen.camera) {
        auto camera = std::make_unique<CPhotoCamera>(*manager.cameras, chosen.model, chosen.device);
        if (!camera->IsOpen())
            return Fail(manager, TWCC_OPERATIONERROR);
        manager.source = std::move(camera);
    } else {
        SANE_Handle handle = nullptr;
        if (manager.scanners->open(chosen.device, &handle) != SANE_STATUS_GOOD)
            return Fail(manager, TWCC_OPERATIONERROR);
        manager.source = std::make_unique<CSaneScanner>(*manager.scanners, handle);
    }
    manager.openSource = static_cast<int>(index);
    Describe(manager.sources[index], index, identity);
    manager.openId = identity.Id;
    return TWRC_SUCCESS;
}

TW_UINT16 ManagerCall(Manager& manager, TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data) {
    if (argument == DAT_PARENT && message == MSG_OPENDSM)
        return OpenDsm(manager);
    if (argument == DAT_PARENT && message == MSG_CLOSEDSM)
        return CloseDsm(manager);
    if (argument == DAT_STATUS && message == MSG_GET && data) {
        static_cast<TW_STATUS*>(data)->ConditionCode = manager.condition;
        manager.condition = TWCC_SUCCESS;
        return TWRC_SUCCESS;
    }
    if (!manager.open || argument != DAT_IDENTITY || !data)
        return Fail(manager, TWCC_SEQERROR);
    auto& identity = *static_cast<TW_IDENTITY*>(data);
    switch (message) {
    case MSG_GETDEFAULT:
        if (manager.sources.empty())
            return Fail(manager, TWCC_NODS);
        Describe(manager.sources.front(), 0, identity);
        return TWRC_SUCCESS;
    case MSG_GETFIRST:
        manager.next = 0;
        [[fallthrough]];
    case MSG_GETNEXT:
        if (manager.next >= manager.sources.size())
            return TWRC_ENDOFLIST;
        Describe(manager.sources[manager.next], manager.next, identity);
        ++manager.next;
        return TWRC_SUCCESS;
    case MSG_OPENDS:
        return OpenSource(manager, identity);
    case MSG_CLOSEDS:
        if (manager.openSource < 0 || manager.enabled)
            return Fail(manager, TWCC_SEQERROR);
        manager.source.reset();
        manager.openSource = -1;
        return TWRC_SUCCESS;
    default:
        return Fail(manager, TWCC_BADVALUE);
    }
}

// One transfer at a time: a second one started from the progress window's loop would read the device
// beside the first.
TW_UINT16 Transfer(Manager& manager, HANDLE* result) {
    if (!manager.enabled || manager.transferring || !result)
        return Fail(manager, TWCC_SEQERROR);
    *result = nullptr;
    HGLOBAL dib = nullptr;
    // With a window to show it over, the transfer runs beside a progress window that can cancel it.
    CWnd* parent = manager.parent ? CWnd::FromHandle(manager.parent) : nullptr;
    manager.transferring = true;
    const CImageSource::Result outcome =
        parent ? CTransferProgressDlg(*manager.source, parent).Run(dib) : manager.source->Acquire(dib);
    manager.transferring = false;
    manager.pending = manager.source->PendingCount();
    switch (outcome) {
    case CImageSource::Result::kDone:
        *result = dib;
        return TWRC_XFERDONE;
    case CImageSource::Result::kNoMorePictures:
    case CImageSource::Result::kCancelled:
        return TWRC_CANCEL;
    case CImageSource::Result::kFailed:
        break;
    }
    AppServices().MessageBox(manager.source->FailureMessage(), MB_OK | MB_ICONEXCLAMATION);
    return Fail(manager, TWCC_OPERATIONERROR);
}

TW_UINT16 SourceCall(Manager& manager, TW_UINT32 group, TW_UINT16 argument, TW_UINT16 message,
                     TW_MEMREF data) {
    if (group == DG_IMAGE && argument == DAT_IMAGENATIVEXFER && message == MSG_GET)
        return Transfer(manager, static_cast<HANDLE*>(data));
    if (group == DG_IMAGE && argument == DAT_IMAGELAYOUT &&
        (message == MSG_GET || message == MSG_GETCURRENT) && data) {
        auto& layout = *static_cast<TW_IMAGELAYOUT*>(data);
        auto inches = [](double mm) {
            const double value = mm / 25.4;
            return TW_FIX32{static_cast<TW_INT16>(value),
                            static_cast<TW_UINT16>((value - static_cast<int>(value)) * 65536)};
        };
        layout = TW_IMAGELAYOUT{};
        layout.Frame.Right = inches(manager.source->AreaWidthMm());
        layout.Frame.Bottom = inches(manager.source->AreaHeightMm());
        layout.DocumentNumber = layout.PageNumber = layout.FrameNumber = 1;
        return TWRC_SUCCESS;
    }
    if (argument == DAT_STATUS && message == MSG_GET && data) {
        static_cast<TW_STATUS*>(data)->ConditionCode = manager.condition;
        manager.condition = TWCC_SUCCESS;
        return TWRC_SUCCESS;
    }
    if (argument == DAT_USERINTERFACE && message == MSG_ENABLEDS && data) {
        if (manager.enabled)
            return Fail(manager, TWCC_SEQERROR);
        const auto& ui = *static_cast<TW_USERINTERFACE*>(data);
        const CString& name = manager.sources[static_cast<std::size_t>(manager.openSource)].name;
        ScanSettings settings = GetScanSettings(name);
        manager.enabled = true;
        manager.parent = ui.hParent;
        // The panel's Cancel asks the program to close the source, as a source's own panel does.
        if (ui.ShowUI && !RunSourcePanel(*manager.source, CWnd::FromHandle(ui.hParent), settings)) {
            PostMessage(ui.hParent, kSourceEventMessage, MSG_CLOSEDSREQ, 0);
            return TWRC_SUCCESS;
        }
        if (!manager.source->Apply(settings)) {
            manager.enabled = false;
            return Fail(manager, TWCC_BADVALUE);
        }
        SetScanSettings(name, settings);
        manager.pending = manager.source->PendingCount();
        PostMessage(ui.hParent, kSourceEventMessage, MSG_XFERREADY, 0);
        return TWRC_SUCCESS;
    }
    if (argument == DAT_USERINTERFACE && message == MSG_DISABLEDS) {
        if (!manager.enabled)
            return Fail(manager, TWCC_SEQERROR);
        manager.enabled = false;
        return TWRC_SUCCESS;
    }
    if (argument == DAT_EVENT && message == MSG_PROCESSEVENT && data) {
        auto& event = *static_cast<TW_EVENT*>(data);
        const auto* windowMessage = static_cast<const MSG*>(event.pEvent);
        event.TWMessage = MSG_NULL;
        // During a transfer the source announces nothing: an announcement still queued is stale.
        if (!manager.enabled || manager.transferring || !windowMessage ||
            windowMessage->message != kSourceEventMessage)
            return TWRC_NOTDSEVENT;
        event.TWMessage = static_cast<TW_UINT16>(windowMessage->wParam);
        return TWRC_DSEVENT;
    }
    if (argument == DAT_PENDINGXFERS && (message == MSG_ENDXFER || message == MSG_RESET) && data) {
        if (message == MSG_RESET)
            manager.pending = 0;
        static_cast<TW_PENDINGXFERS*>(data)->Count = manager.pending;
        return TWRC_SUCCESS;
    }
    return Fail(manager, TWCC_BADVALUE);
}

} // namespace

TW_UINT16 DSM_Entry(TW_IDENTITY*, TW_IDENTITY* destination, TW_UINT32 group, TW_UINT16 argument,
                    TW_UINT16 message, TW_MEMREF data) {
    Manager& manager = TheManager();
    if (!destination)
        return ManagerCall(manager, argument, message, data);
    if (!manager.open || manager.openSource < 0 || destination->Id != manager.openId)
        return Fail(manager, TWCC_NODS);
    return SourceCall(manager, group, argument, message, data);
}

void SetCameraFoldersForTesting(std::vector<CString> folders) {
    TestingCameraFolders() = std::move(folders);
}
