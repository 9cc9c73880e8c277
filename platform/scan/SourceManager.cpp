#include "platform/scan/SourceManager.h"

#include "platform/base/AppServices.h"
#include "platform/scan/SaneScanner.h"
#include "platform/ui/Wnd.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace {

// A scanner as the source list shows it.
struct Source {
    CString name; // "vendor model", made unique with " (2)", " (3)" ...
    CString device;
    CString vendor;
    CString model;
};

struct Manager {
    const SaneLibrary* library = nullptr;
    bool open = false;
    std::vector<Source> sources;
    std::size_t next = 0;
    int openSource = -1;
    TW_UINT32 openId = 0;
    std::unique_ptr<CSaneScanner> scanner;
    bool enabled = false;
    HWND parent = nullptr;
    TW_UINT16 pending = 0;
    TW_UINT16 condition = TWCC_SUCCESS;
};

Manager& TheManager() {
    static Manager manager;
    return manager;
}

constexpr TW_UINT16 kFeederUnknownCount = 0xFFFF;

// The messages for failed scans, by the library's status.
constexpr UINT kStringJammed = 7020;
constexpr UINT kStringCoverOpen = 7021;
constexpr UINT kStringBusy = 7022;
constexpr UINT kStringInputOutput = 7023;
constexpr UINT kStringNoMemory = 7024;
constexpr UINT kStringAccessDenied = 7025;
constexpr UINT kStringInvalid = 7026;
constexpr UINT kStringOther = 7027;

UINT MessageFor(SANE_Status status) {
    switch (status) {
    case SANE_STATUS_JAMMED:
        return kStringJammed;
    case SANE_STATUS_COVER_OPEN:
        return kStringCoverOpen;
    case SANE_STATUS_DEVICE_BUSY:
        return kStringBusy;
    case SANE_STATUS_IO_ERROR:
        return kStringInputOutput;
    case SANE_STATUS_NO_MEM:
        return kStringNoMemory;
    case SANE_STATUS_ACCESS_DENIED:
        return kStringAccessDenied;
    case SANE_STATUS_INVAL:
    case SANE_STATUS_UNSUPPORTED:
        return kStringInvalid;
    default:
        return kStringOther;
    }
}

TW_UINT16 Fail(Manager& manager, TW_UINT16 condition) {
    manager.condition = condition;
    return TWRC_FAILURE;
}

std::vector<Source> FindSources(const SaneLibrary& library) {
    const SANE_Device** devices = nullptr;
    std::vector<Source> sources;
    if (library.getDevices(&devices, SANE_FALSE) != SANE_STATUS_GOOD || !devices)
        return sources;
    for (const SANE_Device** device = devices; *device; ++device)
        sources.push_back(
            {CString(), CString((*device)->name), CString((*device)->vendor), CString((*device)->model)});
    // The order of device names keeps the numbering of equal names stable across re-plugging.
    std::sort(sources.begin(), sources.end(),
              [](const Source& a, const Source& b) { return a.device < b.device; });
    std::map<CString, int> seen;
    for (Source& source : sources) {
        const CString base = source.vendor + " " + source.model;
        const int count = ++seen[base];
        source.name = base;
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
    manager.library = LoadSaneLibrary();
    if (!manager.library)
        return Fail(manager, TWCC_BUMMER);
    SANE_Int version = 0;
    if (manager.library->init(&version, nullptr) != SANE_STATUS_GOOD)
        return Fail(manager, TWCC_BUMMER);
    manager.sources = FindSources(*manager.library);
    manager.open = true;
    return TWRC_SUCCESS;
}

TW_UINT16 CloseDsm(Manager& manager) {
    if (!manager.open || manager.openSource >= 0)
        return Fail(manager, TWCC_SEQERROR);
    manager.library->exit();
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
    SANE_Handle handle = nullptr;
    if (manager.library->open(manager.sources[index].device, &handle) != SANE_STATUS_GOOD)
        return Fail(manager, TWCC_OPERATIONERROR);
    manager.scanner = std::make_unique<CSaneScanner>(*manager.library, handle);
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
        manager.scanner.reset();
        manager.openSource = -1;
        return TWRC_SUCCESS;
    default:
        return Fail(manager, TWCC_BADVALUE);
    }
}

TW_UINT16 Transfer(Manager& manager, HANDLE* result) {
    if (!manager.enabled || !result)
        return Fail(manager, TWCC_SEQERROR);
    *result = nullptr;
    HGLOBAL dib = nullptr;
    switch (manager.scanner->Scan(dib)) {
    case CSaneScanner::Result::kDone:
        *result = dib;
        return TWRC_XFERDONE;
    case CSaneScanner::Result::kNoDocuments:
        manager.pending = 0;
        return TWRC_CANCEL;
    case CSaneScanner::Result::kCancelled:
        return TWRC_CANCEL;
    case CSaneScanner::Result::kFailed:
        break;
    }
    AppServices().MessageBox(MessageFor(manager.scanner->LastStatus()), MB_OK | MB_ICONEXCLAMATION);
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
        layout.Frame.Right = inches(manager.scanner->AreaWidthMm());
        layout.Frame.Bottom = inches(manager.scanner->AreaHeightMm());
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
        if (!manager.scanner->Apply(
                GetScanSettings(manager.sources[static_cast<std::size_t>(manager.openSource)].name)))
            return Fail(manager, TWCC_BADVALUE);
        manager.enabled = true;
        manager.parent = ui.hParent;
        manager.pending = manager.scanner->IsFeeder() ? kFeederUnknownCount : 1;
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
        if (!manager.enabled || !windowMessage || windowMessage->message != kSourceEventMessage)
            return TWRC_NOTDSEVENT;
        event.TWMessage = static_cast<TW_UINT16>(windowMessage->wParam);
        return TWRC_DSEVENT;
    }
    if (argument == DAT_PENDINGXFERS && (message == MSG_ENDXFER || message == MSG_RESET) && data) {
        if (message == MSG_RESET || manager.pending != kFeederUnknownCount)
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

