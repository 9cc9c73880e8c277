#include "tools/libgen/AlbumWriter.h"

#include "image/PictureInfo.h"
#include "library/AlbumArchive.h"
#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/Profile.h"

#include <QDir>
#include <QPainter>
#include <cstring>
#include <stdexcept>

namespace {

constexpr char kSettings[] = "Settings";
// 2000-01-01 12:00 UTC: the time of every entry in the shipped archives.
constexpr std::time_t kEntryTime = 946728000;

struct KindSetting {
    int typeId;
    const char* installType;
    const char* folderValue;
    const char* folder;
};

constexpr KindSetting kKinds[] = {
    {kResTypePictures, "PictureInstallType", "PictureDataPath", "/Bilder"},
    {kResTypeClipart, "ClipartInstallType", "ClipartDataPath", "/Cliparts"},
    {kResTypeFrames, "FrameInstallType", "FrameDataPath", "/Rahmen"},
    {kResTypeStencils, "StencilInstallType", "StencilDataPath", "/Schablonen"},
    {kResTypePrintTemplates, "PrnTplInstallType", "PrnTplDataPath", "/Vorlagen"},
};

CString ToCString(const QString& text) {
    return CString(text.toUtf8().constData());
}

// The thumbnail the program makes of a file: the picture fitted into 100 x 100 on white, 24 bits.
CPictureInfo* MakeThumbnail(const QString& path) {
    const QImage picture(path);
    if (picture.isNull())
        throw std::runtime_error("cannot read " + path.toStdString());
    const int side = CDSObjMgr::kThumbnailSide;
    const QSize size = picture.size().scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QImage thumbnail(size, QImage::Format_RGB888);
    thumbnail.fill(Qt::white);
    QPainter painter(&thumbnail);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size), picture);
    painter.end();

    const int width = size.width(), height = size.height();
    const std::int64_t stride = DibRowBytes(width, 24);
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + static_cast<std::size_t>(stride * height));
    const BITMAPINFOHEADER header = Dib24Header(width, height);
    std::memcpy(dib.data(), &header, sizeof header);
    for (int y = 0; y < height; ++y) {
        const uchar* source = thumbnail.constScanLine(y);
        BYTE* row = dib.data() + sizeof header + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            row[3 * x + 0] = source[3 * x + 2];
            row[3 * x + 1] = source[3 * x + 1];
            row[3 * x + 2] = source[3 * x + 0];
        }
    }
    auto* result = new CPictureInfo;
    if (!result->SetExternalDib(dib.data(), dib.size())) {
        result->Release();
        throw std::runtime_error("cannot make the thumbnail of " + path.toStdString());
    }
    return result;
}

} // namespace

AlbumWriter::AlbumWriter(const QString& outputFolder) : m_output(outputFolder) {
    if (!m_profile.isValid())
        throw std::runtime_error("cannot make a temporary profile");
    qputenv("XDG_CONFIG_HOME", m_profile.path().toLocal8Bit());
    const CString output = ToCString(m_output);
    WriteProfileString(kSettings, "DataPath", output);
    WriteProfileString(kSettings, "InstallPath", output);
    for (const KindSetting& kind : kKinds) {
        WriteProfileInt(kSettings, kind.installType, kInstallData);
        WriteProfileString(kSettings, kind.folderValue, kind.folder);
        if (!QDir().mkpath(m_output + kind.folder))
            throw std::runtime_error("cannot make the folder " + (m_output + kind.folder).toStdString());
    }
    CAlbumArchive::SetEntryTime(kEntryTime);
    m_manager = std::make_unique<CDSObjMgr>();
    m_manager->LoadInstallSettings();
}

AlbumWriter::~AlbumWriter() {
    m_manager.reset();
    CAlbumArchive::SetEntryTime(0);
}

QString AlbumWriter::KindFolder(int typeId) const {
    for (const auto& kind : kKinds) {
        if (kind.typeId == typeId)
            return m_output + kind.folder;
    }
    throw std::logic_error("no such kind");
}

void AlbumWriter::WriteAlbums(int typeId, const std::vector<LibraryAlbum>& albums) {
    CResType* kind = m_manager->GetResType(typeId);
    for (const LibraryAlbum& shipped : albums) {
        CDSAlbum* album = m_manager->CreateAlbum(kind, ToCString(shipped.title));
        if (album == nullptr)
            throw std::runtime_error("cannot create the album " + shipped.title.toStdString());
        for (const LibraryItem& item : shipped.items) {
            const QString path = KindFolder(typeId) + '/' + item.file;
            CDSObj* entry = NewEntry(typeId, item);
            entry->SetAlbumOwned(true);
            entry->SetHref(ToCString(item.file + ".xml"));
            entry->SetThumbnailName(ToCString(item.file + ".thumb.bmp"));
            entry->SetThumbnail(MakeThumbnail(path));
            if (!m_manager->UpdateObjectCrc(entry) || !m_manager->ReadImageInfo(entry, true) ||
                !album->AddObjects(entry)) {
                delete entry;
                throw std::runtime_error("cannot add " + path.toStdString());
            }
        }
    }
}

CDSObj* AlbumWriter::NewEntry(int typeId, const LibraryItem& item) const {
    const QString path = KindFolder(typeId) + '/' + item.file;
    CDSObj* entry = m_manager->NewObjectOfKind(m_manager->GetResType(typeId), false, false, ToCString(path));
    if (entry == nullptr)
        throw std::runtime_error("no entry for " + path.toStdString());
    entry->SetTitle(ToCString(item.title));
    return entry;
}
