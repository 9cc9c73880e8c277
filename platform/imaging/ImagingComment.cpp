// Exif entries through libexif (JPEG APP1 segments), TIFF text tags of the first directory through
// libtiff. Texts are given as the file stores them; numbers (exposure, focal length) as libexif writes
// them.

#include "platform/imaging/ImagingComment.h"

#include "platform/imaging/ImagingFile.h"

#include <algorithm>
#include <cstring>
#include <libexif/exif-data.h>
#include <memory>
#include <string>
#include <tiffio.h>

namespace {

// Exif flash value, bit 0: the flash fired (Exif 2.3, section 4.6.5, tag 0x9209).
constexpr unsigned kFlashFired = 0x0001;
// Room for libexif's text of a number-valued entry such as "1/125 sec." or "5.8 mm".
constexpr std::size_t kFormattedRoom = 256;

struct CommentTags {
    int type;
    ExifTag exifTag;
    ttag_t tiffTag; // 0: a tag of the Exif directory, not read from TIFF files
};

constexpr CommentTags kCommentTags[] = {
    {kCommentDescription, EXIF_TAG_IMAGE_DESCRIPTION, TIFFTAG_IMAGEDESCRIPTION},
    {kCommentMake, EXIF_TAG_MAKE, TIFFTAG_MAKE},
    {kCommentModel, EXIF_TAG_MODEL, TIFFTAG_MODEL},
    {kCommentDateTaken, EXIF_TAG_DATE_TIME_ORIGINAL, TIFFTAG_DATETIME},
    {kCommentArtist, EXIF_TAG_ARTIST, TIFFTAG_ARTIST},
    {kCommentExposureTime, EXIF_TAG_EXPOSURE_TIME, 0},
    {kCommentFlash, EXIF_TAG_FLASH, 0},
    {kCommentFocalLength, EXIF_TAG_FOCAL_LENGTH, 0},
    {kCommentUserComment, EXIF_TAG_USER_COMMENT, 0},
    {kCommentCopyright, EXIF_TAG_COPYRIGHT, TIFFTAG_COPYRIGHT},
};

const CommentTags* FindTags(int type) {
    for (const CommentTags& tags : kCommentTags)
        if (tags.type == type)
            return &tags;
    return nullptr;
}

// Copies text up to its first zero byte, cut to size - 1 bytes at a character boundary.
int CopyComment(const char* text, std::size_t length, char* buffer, int size) {
    length = std::min(std::strlen(text), length);
    if (length > std::size_t(size - 1)) {
        length = std::size_t(size - 1);
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length; // text[length] continues a character that would be cut
    }
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

struct ExifDataReleaser {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

int ReadExifComment(const CString& path, const CommentTags& tags, char* buffer, int size) {
    const std::unique_ptr<ExifData, ExifDataReleaser> data(exif_data_new_from_file(path));
    if (!data)
        return 0;
    ExifEntry* entry = exif_data_get_entry(data.get(), tags.exifTag);
    if (!entry || !entry->data || entry->size == 0)
        return 0;
    if (tags.type == kCommentFlash) {
        if (entry->format != EXIF_FORMAT_SHORT)
            return 0;
        const ExifShort flash = exif_get_short(entry->data, exif_data_get_byte_order(data.get()));
        buffer[0] = (flash & kFlashFired) ? 1 : 0;
        buffer[1] = '\0';
        return 1;
    }
    if (entry->format == EXIF_FORMAT_ASCII) // the stored text, without libexif's decoration
        return CopyComment(reinterpret_cast<const char*>(entry->data), entry->size, buffer, size);
    std::string text(std::size_t(entry->size) + kFormattedRoom, '\0');
    if (!exif_entry_get_value(entry, text.data(), static_cast<unsigned>(text.size())))
        return 0;
    return CopyComment(text.c_str(), text.size(), buffer, size);
}

int IgnoreMessage(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

int ReadTiffComment(const CString& path, const CommentTags& tags, char* buffer, int size) {
    if (tags.tiffTag == 0)
        return 0;
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options)
        return 0;
    TIFFOpenOptionsSetErrorHandlerExtR(options, IgnoreMessage, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, IgnoreMessage, nullptr);
    const std::unique_ptr<TIFF, TiffCloser> tiff(TIFFOpenExt(path, "r", options));
    TIFFOpenOptionsFree(options);
    const char* text = nullptr;
    if (!tiff || TIFFGetField(tiff.get(), tags.tiffTag, &text) != 1 || !text)
        return 0;
    return CopyComment(text, std::strlen(text), buffer, size);
}

} // namespace

int ReadImagingFileComment(const CString& path, int type, char* buffer, int size) {
    const CommentTags* tags = FindTags(type);
    if (!tags || !buffer || size < 2)
        return 0;
    buffer[0] = '\0';
    ImagingFileInfo info;
    if (!ReadImagingFileInfo(path, info))
        return 0;
    if (info.format == kFormatJpeg)
        return ReadExifComment(path, *tags, buffer, size);
    if (info.format == kFormatTiff)
        return ReadTiffComment(path, *tags, buffer, size);
    return 0;
}
