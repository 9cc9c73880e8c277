#include "platform/ui/Clipboard.h"

#include "platform/base/ClipboardFormat.h"
#include "platform/base/GlobalMemory.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <map>
#include <memory>

namespace {

using SharedBlock = std::shared_ptr<GlobalBlock>;

SharedBlock Share(HGLOBAL block) {
    return SharedBlock(block, GlobalBlockFree());
}

// What the clipboard published: the blocks themselves, no copies. This program takes a block back as it
// is; others (and Qt) get a copy of its bytes on each request, which lives on its own.
class BlockMimeData : public QMimeData {
public:
    void Add(const QString& type, SharedBlock block) { m_blocks[type] = std::move(block); }
    SharedBlock Block(const QString& type) const {
        const auto found = m_blocks.find(type);
        return found == m_blocks.end() ? nullptr : found->second;
    }
    QStringList formats() const override {
        QStringList types;
        for (const auto& [type, block] : m_blocks)
            types << type;
        return types;
    }

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override {
        const SharedBlock block = Block(type);
        if (!block)
            return QVariant();
        CGlobalLock lock(block.get());
        return QByteArray(reinterpret_cast<const char*>(lock.Bytes()), static_cast<qsizetype>(lock.Size()));
    }

private:
    std::map<QString, SharedBlock> m_blocks;
};

struct ClipboardState {
    ~ClipboardState() { FreeBlocks(pending); }
    static void FreeBlocks(std::map<UINT, HGLOBAL>& blocks) {
        for (auto& [format, block] : blocks)
            GlobalFree(block);
        blocks.clear();
    }

    bool open = false;
    bool emptied = false;
    std::map<UINT, HGLOBAL> pending;       // set since the clipboard was emptied, published on closing
    std::map<UINT, SharedBlock> handedOut; // blocks GetClipboardData gave; let go on the next opening
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

SharedBlock BlockOf(const QByteArray& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(bytes.size()));
    if (!block)
        return nullptr;
    CGlobalLock lock(block);
    if (!bytes.isEmpty())
        std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(lock.Bytes()));
    return Share(block);
}

// The desktop clipboard's data of that type as a block: the published block itself while it is this
// program's, else a copy.
SharedBlock DesktopBlock(const QString& type) {
    const QMimeData* mime = DesktopClipboard()->mimeData();
    if (!mime)
        return nullptr;
    if (const auto* ours = dynamic_cast<const BlockMimeData*>(mime))
        return ours->Block(type);
    return mime->hasFormat(type) ? BlockOf(mime->data(type)) : nullptr;
}

} // namespace

BOOL OpenClipboard(HWND) {
    ClipboardState& state = State();
    if (state.open || !DesktopClipboard())
        return FALSE;
    state.handedOut.clear();
    state.open = true;
    state.emptied = false;
    return TRUE;
}

BOOL EmptyClipboard() {
    ClipboardState& state = State();
    if (!state.open)
        return FALSE;
    ClipboardState::FreeBlocks(state.pending);
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
        return given->second.get();
    const QString type = MimeTypeOf(format);
    if (type.isEmpty() || state.emptied)
        return nullptr;
    SharedBlock block = DesktopBlock(type);
    if (block)
        state.handedOut[format] = block;
    return block.get();
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
    auto mime = std::make_unique<BlockMimeData>();
    for (const auto& [format, block] : state.pending)
        mime->Add(MimeTypeOf(format), Share(block));
    state.pending.clear();
    DesktopClipboard()->setMimeData(mime.release());
    return TRUE;
}
