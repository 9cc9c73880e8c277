#pragma once
// CMetafile: a WMF file (with or without its placeable header) or an EMF file opened for playing into
// pictures. Nothing records into it.

#include "platform/base/Object.h"
#include "platform/base/String.h"
#include "platform/gdi/meta/EnhMetaFile.h"

#include <array>
#include <span>

class CDC;
class CPictureInfo;

class CMetafile : public CObject {
    DECLARE_SERIAL(CMetafile)
public:
    CMetafile() = default;
    // Opens the file at once.
    explicit CMetafile(const CString& path);
    ~CMetafile() override;
    CMetafile(const CMetafile&) = delete;
    CMetafile& operator=(const CMetafile&) = delete;

    // By extension, without regard to case: "wmf" reads the file, "emf" opens it as an enhanced metafile;
    // anything else is refused. True when a handle was made.
    bool Open(const CString& path);
    // A WMF (with or without its placeable header) or an EMF held in memory, told apart by content.
    bool OpenMemory(std::span<const BYTE> file);
    // Plays the metafile stretched over rect; nothing without a handle.
    void Play(CDC* dc, const RECT& rect) const;
    // New 24-bit pictures (the caller's). Render: rect's size on colour. RenderMask: white where the
    // metafile paints, black elsewhere. RenderInto: picture's size on colour, the metafile played into play.
    CPictureInfo* Render(const RECT& rect, COLORREF colour) const;
    CPictureInfo* RenderMask(const RECT& rect) const;
    CPictureInfo* RenderInto(const RECT& picture, const RECT& play, COLORREF colour) const;

    bool IsOpen() const { return m_metafile != nullptr; }

private:
    bool ReadWmf(const CString& path);
    bool OpenWmf(std::span<const BYTE> file);

    CString m_path;
    // The 22-byte placeable header of a WMF that has one, else zeros.
    std::array<BYTE, 24> m_placeableHeader{};
    HENHMETAFILE m_metafile = nullptr;
};
