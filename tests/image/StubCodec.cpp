// A codec plug-in for the plug-in manager's tests. It decodes nothing: every export writes its name and
// arguments into a call log that the tests read through the extra export StubLastCall, and the loads
// return a 1x1 picture whose red value is the stub's number, so a test sees which plug-in answered.
// STUB_KIND picks the format table; STUB_REFUSES makes LoadLibraries refuse; STUB_PARTIAL leaves out
// every export but the three the manager calls while loading.

#include "image/CodecExports.h"
#include "image/ColorDepth.h"
#include "image/PictureInfo.h"
#include "platform/base/Geometry.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Lists.h"
#include "tests/image/DibFixtures.h"

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct StubFormat {
    const char* extension;
    const char* description;
    bool quality;
};

// Tables by kind: 1 and 2 share "tst", 3 opens bmp, 4 opens gif, 5 (refusing and partial stubs) "ref".
#if STUB_KIND == 1
const std::vector<StubFormat> kOpen = {{"tst", "Test A", false}, {"aaa", "Nur A", false}};
const std::vector<StubFormat> kSave = {{"tst", "Test A", true}, {"aaa", "Nur A", false}};
#elif STUB_KIND == 2
const std::vector<StubFormat> kOpen = {{"tst", "Test B", false}, {"bbb", "Nur B", false}};
const std::vector<StubFormat> kSave = {{"tst", "Test B", false}, {"bbb", "Nur B", true}};
#elif STUB_KIND == 3
const std::vector<StubFormat> kOpen = {{"bmp", "bitmap Dateien", false}};
const std::vector<StubFormat> kSave = {};
#elif STUB_KIND == 4
const std::vector<StubFormat> kOpen = {{"gif", "GIF Dateien", false}};
const std::vector<StubFormat> kSave = {};
#else
const std::vector<StubFormat> kOpen = {{"ref", "Verweigert", false}};
const std::vector<StubFormat> kSave = {{"ref", "Verweigert", true}};
#endif

std::mutex g_logLock;
std::string g_log;

template <typename... Parts>
void Log(const Parts&... parts) {
    std::string entry;
    ((entry += std::string(parts) + "|"), ...);
    entry.pop_back();
    std::lock_guard lock(g_logLock);
    g_log = entry;
}

[[maybe_unused]] const StubFormat* Find(const std::vector<StubFormat>& list, const CString& extension) {
    for (const StubFormat& format : list) {
        if (extension.CompareNoCase(format.extension) == 0)
            return &format;
    }
    return nullptr;
}

[[maybe_unused]] CPictureInfo* MarkedPicture(BYTE red) {
    const std::vector<BYTE> dib = BuildDib({.bits = Rows24({{DWORD{red} << 16}})});
    auto* picture = new CPictureInfo;
    picture->SetExternalDib(dib.data(), dib.size());
    return picture;
}

void Append(const std::vector<StubFormat>& list, CStringList& extensions, CStringList& descriptions) {
    for (const StubFormat& format : list) {
        extensions.AddTail(format.extension);
        descriptions.AddTail(format.description);
    }
}

} // namespace

extern "C" VC_CODEC_EXPORT const char* StubLastCall() {
    std::lock_guard lock(g_logLock);
    static thread_local std::string copy;
    copy = g_log;
    return copy.c_str();
}

bool LoadLibraries() {
#ifdef STUB_REFUSES
    return false;
#else
    return true;
#endif
}

void GetOpenExtensionsAvailable(CStringList& extensions, CStringList& descriptions) {
    Append(kOpen, extensions, descriptions);
}

void GetSaveExtensionsAvailable(CStringList& extensions, CStringList& descriptions) {
    Append(kSave, extensions, descriptions);
}

#ifndef STUB_PARTIAL

CPictureInfo* LoadFile(const CString& path, int bitsPerPixel, CPictureInfo*& mask) {
    Log("LoadFile", path, std::to_string(bitsPerPixel), mask ? "mask" : "nomask");
    // A file named "*masked*" carries a mask: the earlier picture goes, the new one (red 200) comes.
    if (path.Find("masked") >= 0) {
        delete mask;
        mask = MarkedPicture(200);
    }
    return MarkedPicture(STUB_KIND);
}

CPictureInfo* LoadFileAs(const CString& path, const CString& asExtension, int bitsPerPixel,
                         CPictureInfo*& mask) {
    Log("LoadFileAs", path, asExtension, std::to_string(bitsPerPixel), mask ? "mask" : "nomask");
    return MarkedPicture(STUB_KIND);
}

CPictureInfo* LoadFromMemory(void* data, DWORD size, const CString& extension, CPictureInfo*& mask) {
    const CGlobalLock lock(static_cast<HGLOBAL>(data));
    Log("LoadFromMemory", std::string(reinterpret_cast<const char*>(lock.Bytes()), size), extension,
        mask ? "mask" : "nomask");
    return MarkedPicture(STUB_KIND);
}

int SaveFile(const CPictureInfo* picture, const CString& path, int bitsPerPixel, int qualityLevel) {
    Log("SaveFile", path, std::to_string(bitsPerPixel), std::to_string(qualityLevel));
    if (!picture)
        return 0;
    return Find(kSave, path.Mid(path.ReverseFind('.') + 1)) ? 1 : -1;
}

bool SaveFileInMemory(const CPictureInfo* picture, const CString& extension, int bitsPerPixel, int quality,
                      void*& data, DWORD& size) {
    Log("SaveFileInMemory", extension, std::to_string(bitsPerPixel), std::to_string(quality));
    if (!picture || !Find(kSave, extension))
        return false;
    data = GlobalAlloc(GMEM_MOVEABLE, 3);
    std::memcpy(GlobalLock(static_cast<HGLOBAL>(data)), "enc", 3);
    GlobalUnlock(static_cast<HGLOBAL>(data));
    size = 3;
    return true;
}

CPictureInfo* CreateThumbnailForFile(const CString& path, const CSize& size, COLORREF background,
                                     int forceSize, int resample) {
    Log("CreateThumbnailForFile", path, std::to_string(size.cx) + "x" + std::to_string(size.cy),
        std::to_string(background), std::to_string(forceSize), std::to_string(resample));
    return MarkedPicture(STUB_KIND);
}

void GetColorDepthsForExtension(CColorDepthList& depths, const CString& extension) {
    Log("GetColorDepthsForExtension", extension);
    if (!Find(kSave, extension))
        return;
    depths.AddTail(new CColorDepth("24-bits", 24));
    depths.AddTail(new CColorDepth(CString("Stub ") + char('0' + STUB_KIND), STUB_KIND));
}

bool ExtensionHasQuality(const CString& extension) {
    Log("ExtensionHasQuality", extension);
    const StubFormat* format = Find(kSave, extension);
    return format && format->quality;
}

int CountColorsUsedFile(const CString& path) {
    Log("CountColorsUsedFile", path);
    return 100 + STUB_KIND;
}

int CountColorsUsedMemory(void* data, DWORD size, const CString& extension) {
    Log("CountColorsUsedMemory", std::to_string(size), extension);
    (void)data;
    return 200 + STUB_KIND;
}

#endif
