// Metafiles read from WMF files and played into 24-bit pictures.

#include "codecs/wmf/Metafile.h"

#include "image/ConversionSurface.h"
#include "image/PictureInfo.h"
#include "platform/base/Archive.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/DibLimits.h"
#include "platform/base/Exception.h"
#include "platform/base/File.h"

#include <cstring>
#include <vector>

IMPLEMENT_SERIAL(CMetafile, CObject, 1 | VERSIONABLE_SCHEMA)

namespace {

constexpr DWORD kPlaceableKey = 0x9AC6CDD7;
constexpr UINT kPlaceableSize = 22;
constexpr UINT kHeaderSize = 18;
constexpr DWORD kEmrHeader = 1;
// No metafile the program draws is larger; a size field beyond this is a damaged file.
constexpr std::uint64_t kMaxMetafileBytes = std::uint64_t{1} << 30;

} // namespace

CMetafile::CMetafile(const CString& path) {
    Open(path);
}

CMetafile::~CMetafile() {
    DeleteEnhMetaFile(m_metafile);
}

bool CMetafile::Open(const CString& path) {
    m_path = path;
    DeleteEnhMetaFile(m_metafile);
    m_metafile = nullptr;
    const int dot = path.ReverseFind('.');
    const CString extension = dot < 0 ? CString() : path.Mid(dot + 1);
    if (extension.CompareNoCase("wmf") == 0)
        return ReadWmf(path);
    if (extension.CompareNoCase("emf") == 0)
        m_metafile = GetEnhMetaFile(path);
    return m_metafile != nullptr;
}

bool CMetafile::ReadWmf(const CString& path) {
    std::vector<BYTE> file;
    try {
        CFile input;
        if (!input.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
            return false;
        const std::uint64_t length = input.GetLength();
        if (length > kMaxMetafileBytes)
            return false;
        file.resize(static_cast<std::size_t>(length));
        if (input.Read(file.data(), static_cast<UINT>(file.size())) != file.size())
            return false;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return OpenWmf(file);
}

bool CMetafile::OpenWmf(std::span<const BYTE> file) {
    std::size_t start = 0;
    m_placeableHeader.fill(0);
    if (file.size() >= 4 && ReadLe32(file.data()) == kPlaceableKey) {
        if (file.size() < kPlaceableSize)
            return false;
        std::memcpy(m_placeableHeader.data(), file.data(), kPlaceableSize);
        start = kPlaceableSize;
    }
    if (file.size() - start < kHeaderSize)
        return false;
    const BYTE* header = file.data() + start;
    const WORD type = ReadLe16(header);
    // The size field counts 16-bit words; it must lie inside the file.
    const std::uint64_t bytes = std::uint64_t{ReadLe32(header + 6)} * 2;
    if ((type != 1 && type != 2) || bytes < kHeaderSize || bytes > file.size() - start)
        return false;
    RECT box{};
    if (start > 0) {
        const BYTE* fields = m_placeableHeader.data() + 6;
        box = {static_cast<short>(ReadLe16(fields)), static_cast<short>(ReadLe16(fields + 2)),
               static_cast<short>(ReadLe16(fields + 4)), static_cast<short>(ReadLe16(fields + 6))};
    }
    m_metafile = SetWinMetaFileBits(static_cast<UINT>(bytes), header, nullptr, start > 0 ? &box : nullptr);
    return m_metafile != nullptr;
}

bool CMetafile::OpenMemory(std::span<const BYTE> file) {
    m_path.Empty();
    DeleteEnhMetaFile(m_metafile);
    m_metafile = nullptr;
    if (file.size() >= 4 && ReadLe32(file.data()) == kEmrHeader)
        m_metafile = SetEnhMetaFileBits(static_cast<UINT>(file.size()), file.data());
    else
        OpenWmf(file);
    return m_metafile != nullptr;
}

void CMetafile::Play(CDC* dc, const RECT& rect) const {
    if (m_metafile && dc)
        PlayEnhMetaFile(dc->GetSafeHdc(), m_metafile, &rect);
}

CPictureInfo* CMetafile::RenderInto(const RECT& picture, const RECT& play, COLORREF colour) const {
    CConversionSurface surface(picture.right - picture.left, picture.bottom - picture.top);
    if (!surface.IsReady())
        return nullptr;
    surface.Fill(colour);
    Play(&surface.Dc(), play);
    return surface.TakePicture();
}

CPictureInfo* CMetafile::Render(const RECT& rect, COLORREF colour) const {
    return RenderInto(rect, rect, colour);
}

// Played once on white and once on black: a pixel that differs, or that is not white on white, was
// painted. The two plays combine as the picture on white XOR the picture on black, then NOT.
CPictureInfo* CMetafile::RenderMask(const RECT& rect) const {
    CConversionSurface onWhite(rect.right - rect.left, rect.bottom - rect.top);
    CConversionSurface onBlack(rect.right - rect.left, rect.bottom - rect.top);
    if (!onWhite.IsReady() || !onBlack.IsReady())
        return nullptr;
    onWhite.Fill(RGB(255, 255, 255));
    onBlack.Fill(RGB(0, 0, 0));
    Play(&onWhite.Dc(), rect);
    Play(&onBlack.Dc(), rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    onBlack.Dc().BitBlt(0, 0, width, height, &onWhite.Dc(), 0, 0, SRCINVERT);
    onWhite.Dc().BitBlt(0, 0, width, height, &onBlack.Dc(), 0, 0, NOTSRCCOPY);
    return onWhite.TakePicture();
}
