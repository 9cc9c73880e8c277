#include "platform/ui/Clipboard.h"

#include "platform/base/ClipboardFormat.h"
#include "platform/base/GlobalMemory.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <map>
#include <memory>

namespace {

void FreeBlocks(std::map<UINT, HGLOBAL>& blocks);

struct ClipboardState {
    ~ClipboardState() {
        FreeBlocks(pending);
        FreeBlocks(handedOut);
    }

    bool open = false;
    bool emptied = false;
    std::map<UINT, HGLOBAL> pending;   // set since the clipboard was emptied, published on closing
    std::map<UINT, HGLOBAL> handedOut; // blocks GetClipboardData gave; freed on the next opening
};

ClipboardState& State() {
    static ClipboardState state;
    return state;
}

// Empty for a format that is not registered.
QString MimeTypeOf(UINT format) {
    char name[256];
    const int length = GetClipboardFormatName(format, name, sizeof name);
    if (length <= 0)
        return QString();
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(QString::fromUtf8(name, length));
}

QClipboard* DesktopClipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                        : nullptr;
}

void FreeBlocks(std::map<UINT, HGLOBAL>& blocks) {
    for (auto& [format, block] : blocks)
        GlobalFree(block);
    blocks.clear();
}

HGLOBAL BlockOf(const QByteArray& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(bytes.size()));
    if (!block)
        return nullptr;
    CGlobalLock lock(block);
    if (!bytes.isEmpty())
        std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(lock.Bytes()));
    return block;
}

} // namespace

BOOL OpenClipboard(HWND) {
    ClipboardState& state = State();
    if (state.open || !DesktopClipboard())
        return FALSE;
    FreeBlocks(state.handedOut);
    state.open = true;
    state.emptied = false;
    return TRUE;
}

BOOL EmptyClipboard() {
    ClipboardState& state = State();
    if (!state.open)
        return FALSE;
    FreeBlocks(state.pending);
    state.emptied = true;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    ClipboardState& state = State();
    auto block = static_cast<HGLOBAL>(data);
    if (!state.open || MimeTypeOf(format).isEmpty() || GlobalFlags(block) == GMEM_INVALID_HANDLE)
        return nullptr;
    if (const auto old = state.pending.find(format); old != state.pending.end() && old->second != block)
        GlobalFree(old->second);
    state.pending[format] = block;
    return data;
}

HANDLE GetClipboardData(UINT format) {
    ClipboardState& state = State();
    if (!state.open)
        return nullptr;
    if (const auto pending = state.pending.find(format); pending != state.pending.end())
        return pending->second;
    if (const auto given = state.handedOut.find(format); given != state.handedOut.end())
        return given->second;
    const QString type = MimeTypeOf(format);
    const QMimeData* mime = DesktopClipboard()->mimeData();
    if (type.isEmpty() || state.emptied || !mime || !mime->hasFormat(type))
        return nullptr;
    HGLOBAL block = BlockOf(mime->data(type));
    if (block)
        state.handedOut[format] = block;
    return block;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    const ClipboardState& state = State();
    if (state.pending.count(format))
        return TRUE;
    const QString type = MimeTypeOf(format);
    QClipboard* clipboard = DesktopClipboard();
    const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
    return !type.isEmpty() && !state.emptied && mime && mime->hasFormat(type) ? TRUE : FALSE;
}

BOOL CloseClipboard() {
    ClipboardState& state = State();
    if (!state.open)
        return FALSE;
    state.open = false;
    if (!state.emptied)
        return TRUE;
    auto mime = std::make_unique<QMimeData>();
    for (const auto& [format, block] : state.pending) {
        CGlobalLock lock(block);
        mime->setData(MimeTypeOf(format), QByteArray(reinterpret_cast<const char*>(lock.Bytes()),
                                                     static_cast<qsizetype>(lock.Size())));
    }
    FreeBlocks(state.pending);
    DesktopClipboard()->setMimeData(mime.release());
    return TRUE;
}
