#include "platform/ui/Cursor.h"

#include "platform/base/File.h"
#include "platform/base/Resource.h"
#include "platform/ui/WindowInternals.h"

#include <QByteArray>
#include <QCursor>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <array>
#include <map>
#include <memory>

struct CursorRecord {
    QCursor cursor;
    bool standard = false; // shared, never destroyed
};

namespace {

struct StandardCursor {
    WORD id;
    Qt::CursorShape shape;
};
constexpr std::array kStandardCursors{
    StandardCursor{32512, Qt::ArrowCursor},     StandardCursor{32513, Qt::IBeamCursor},
    StandardCursor{32514, Qt::WaitCursor},      StandardCursor{32515, Qt::CrossCursor},
    StandardCursor{32516, Qt::UpArrowCursor},   StandardCursor{32642, Qt::SizeFDiagCursor},
    StandardCursor{32643, Qt::SizeBDiagCursor}, StandardCursor{32644, Qt::SizeHorCursor},
    StandardCursor{32645, Qt::SizeVerCursor},   StandardCursor{32646, Qt::SizeAllCursor},
    StandardCursor{32648, Qt::ForbiddenCursor}, StandardCursor{32649, Qt::PointingHandCursor},
    StandardCursor{32650, Qt::BusyCursor},      StandardCursor{32651, Qt::WhatsThisCursor}};

HCURSOR g_current = nullptr;

// A cursor file is an icon directory of type 2 whose entries carry the hot spot where an icon keeps
// its planes and bit count.
constexpr int kDirectoryHeaderSize = 6;
constexpr int kDirectoryEntrySize = 16;
constexpr WORD kCursorResourceType = 2;
// Cursor files are tiny; anything larger is not one.
constexpr qint64 kMaxCursorFileSize = 1 << 20;

WORD ReadWord(const QByteArray& data, int offset) {
    return static_cast<WORD>(static_cast<BYTE>(data[offset]) | (static_cast<BYTE>(data[offset + 1]) << 8));
}

// A cursor from the bytes of a cursor file; null when they are none.
std::unique_ptr<CursorRecord> CursorFromData(const QByteArray& data, bool shared) {
    if (data.size() < kDirectoryHeaderSize + kDirectoryEntrySize || data.size() > kMaxCursorFileSize ||
        ReadWord(data, 0) != 0 || ReadWord(data, 2) != kCursorResourceType || ReadWord(data, 4) == 0)
        return nullptr;
    const int hotX = ReadWord(data, kDirectoryHeaderSize + 4);
    const int hotY = ReadWord(data, kDirectoryHeaderSize + 6);
    const QImage image = QImage::fromData(data, "CUR");
    if (image.isNull())
        return nullptr;
    return std::unique_ptr<CursorRecord>(
        new CursorRecord{QCursor(QPixmap::fromImage(image), hotX, hotY), shared});
}

// A cursor resource of a module, made once and shared like the standard cursors.
HCURSOR LoadModuleCursor(HINSTANCE instance, LPCTSTR name) {
    HRSRC resource = FindResource(instance, name, RT_GROUP_CURSOR);
    if (!resource)
        return nullptr;
    static std::map<HRSRC, std::unique_ptr<CursorRecord>> records;
    auto& record = records[resource];
    if (!record) {
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(instance, resource)));
        const DWORD size = SizeofResource(instance, resource);
        if (!bytes || size == 0)
            return nullptr;
        record = CursorFromData(QByteArray(bytes, static_cast<qsizetype>(size)), true);
    }
    return record.get();
}

} // namespace

HCURSOR LoadCursor(HINSTANCE instance, LPCTSTR name) {
    if (instance)
        return LoadModuleCursor(instance, name);
    if (!IS_INTRESOURCE(name))
        return nullptr;
    static std::array<std::unique_ptr<CursorRecord>, kStandardCursors.size()> records;
    const auto id = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name));
    for (size_t i = 0; i < kStandardCursors.size(); ++i) {
        if (kStandardCursors[i].id != id)
            continue;
        if (!records[i])
            records[i].reset(new CursorRecord{QCursor(kStandardCursors[i].shape), true});
        return records[i].get();
    }
    return nullptr;
}

HCURSOR LoadCursorFromFile(LPCTSTR path) {
    QFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxCursorFileSize)
        return nullptr;
    return CursorFromData(file.readAll(), false).release();
}

BOOL DestroyCursor(HCURSOR cursor) {
    if (!cursor || cursor->standard)
        return FALSE;
    if (g_current == cursor)
        g_current = nullptr;
    delete cursor;
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
    const HCURSOR previous = g_current;
    g_current = cursor;
    ShowCursorShape(cursor ? &cursor->cursor : nullptr);
    return previous;
}

QImage CursorPicture(HCURSOR cursor) {
    if (!cursor || cursor->standard)
        return QImage();
    return cursor->cursor.pixmap().toImage();
}

HCURSOR GetCursor() {
    return g_current;
}
