#include "image/ExtMgr.h"

#include "image/PictureInfo.h"
#include "platform/base/FileFind.h"

#include <atomic>
#include <memory>

namespace {

std::atomic<CExtMgr*> g_extMgr{nullptr};

// The text after the last "."; empty when the path has none.
CString ExtensionOf(const CString& path) {
    const int dot = path.ReverseFind('.');
    return dot < 0 ? CString() : path.Mid(dot + 1);
}

bool ListHolds(const CStringList& list, const CString& text) {
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        if (list.GetNext(pos) == text)
            return true;
    }
    return false;
}

} // namespace

CExtMgr* GetExtMgr() {
    return g_extMgr.load();
}

CExtMgr::CExtMgr() : CExtMgr(GetProgramFolder()) {}

CExtMgr::CExtMgr(const CString& directory) : m_directory(directory) {
    while (m_directory.GetLength() > 1 && m_directory[m_directory.GetLength() - 1] == '/')
        m_directory = m_directory.Left(m_directory.GetLength() - 1);
    g_extMgr.store(this);
}

CExtMgr::~CExtMgr() {
    while (!IsEmpty())
        delete RemoveHead();
    CExtMgr* self = this;
    g_extMgr.compare_exchange_strong(self, nullptr);
}

void CExtMgr::LoadPlugins() {
    // CFileFind lists names in sorted order, so every run dispatches the same way.
    CFileFind find;
    for (BOOL more = find.FindFile(m_directory + "/plugins/" + kCodecPluginPattern); more;) {
        more = find.FindNextFile();
        if (find.IsDirectory())
            continue;
        auto* plugin = new CPluginExt(find.GetFilePath());
        plugin->Load();
        AddTail(plugin);
    }
    find.Close();
}

CPluginExt* CExtMgr::FindPlugin(const CString& extension, ListMember extensions) const {
    CString lower = extension;
    lower.MakeLower();
    for (POSITION pos = GetHeadPosition(); pos;) {
        CPluginExt* plugin = GetNext(pos);
        if (plugin && ListHolds(plugin->*extensions, lower))
            return plugin;
    }
    return nullptr;
}

CPluginExt* CExtMgr::FindPluginForOpen(const CString& extension) const {
    return FindPlugin(extension, &CPluginExt::m_openExtensions);
}

CPluginExt* CExtMgr::FindPluginForSave(const CString& extension) const {
    return FindPlugin(extension, &CPluginExt::m_saveExtensions);
}

CPictureInfo* CExtMgr::LoadFile(const CString& path, CPictureInfo*& mask, int bitsPerPixel) {
    const CPluginExt* plugin = FindPluginForOpen(ExtensionOf(path));
    auto* load = plugin ? plugin->FindExport<CodecLoadFile>(kLoadFileExport) : nullptr;
    return load ? load(path, bitsPerPixel, mask) : nullptr;
}

CPictureInfo* CExtMgr::LoadFileAs(const CString& path, const CString& extension, CPictureInfo*& mask,
                                  int bitsPerPixel) {
    const CPluginExt* plugin = FindPluginForOpen(extension);
    auto* load = plugin ? plugin->FindExport<CodecLoadFileAs>(kLoadFileAsExport) : nullptr;
    return load ? load(path, extension, bitsPerPixel, mask) : nullptr;
}

CPictureInfo* CExtMgr::LoadFromMemory(void* data, DWORD size, const CString& extension, CPictureInfo*& mask) {
    const CPluginExt* plugin = FindPluginForOpen(extension);
    auto* load = plugin ? plugin->FindExport<CodecLoadFromMemory>(kLoadFromMemoryExport) : nullptr;
    return load ? load(data, size, extension, mask) : nullptr;
}

CPictureInfo* CExtMgr::CreateThumbnailForFile(const CString& path, const CSize& size, COLORREF background,
                                              int forceSize, int resample) {
    const CPluginExt* plugin = FindPluginForOpen(ExtensionOf(path));
    auto* thumbnail =
        plugin ? plugin->FindExport<CodecCreateThumbnailForFile>(kCreateThumbnailForFileExport) : nullptr;
    return thumbnail ? thumbnail(path, size, background, forceSize, resample) : nullptr;
}

int CExtMgr::CountColorsUsed(const CString& path) {
    const CPluginExt* plugin = FindPluginForOpen(ExtensionOf(path));
    auto* count = plugin ? plugin->FindExport<CodecCountColorsUsedFile>(kCountColorsUsedFileExport) : nullptr;
    return count ? count(path) : 0;
}

int CExtMgr::CountColorsUsedInMemory(void* data, DWORD size, const CString& extension) {
    const CPluginExt* plugin = FindPluginForOpen(extension);
    auto* count =
        plugin ? plugin->FindExport<CodecCountColorsUsedMemory>(kCountColorsUsedMemoryExport) : nullptr;
    return count ? count(data, size, extension) : 0;
}

int CExtMgr::SaveFile(const CPictureInfo* picture, const CString& path, int bitsPerPixel, int qualityLevel) {
    if (!picture)
        return 0;
    const CPluginExt* plugin = FindPluginForSave(ExtensionOf(path));
    if (!plugin)
        return -1;
    auto* save = plugin->FindExport<CodecSaveFile>(kSaveFileExport);
    return save ? save(picture, path, bitsPerPixel, qualityLevel) : -1;
}

int CExtMgr::SaveFileInMemory(const CPictureInfo* picture, const CString& extension, int bitsPerPixel,
                              void*& data, DWORD& size) {
    if (!picture)
        return 0;
    const CPluginExt* plugin = FindPluginForSave(extension);
    if (!plugin)
        return 0;
    auto* save = plugin->FindExport<CodecSaveFileInMemory>(kSaveFileInMemoryExport);
    if (!save)
        return -1;
    // Memory saves always ask for the best quality.
    constexpr int kBestQuality = 2;
    return save(picture, extension, bitsPerPixel, kBestQuality, data, size) ? 1 : 0;
}

void CExtMgr::GetColorDepthsForExtension(CColorDepthList& depths, const CString& extension) {
    const CPluginExt* plugin = FindPluginForSave(extension);
    auto* get = plugin
                    ? plugin->FindExport<CodecGetColorDepthsForExtension>(kGetColorDepthsForExtensionExport)
                    : nullptr;
    if (!get)
        return;
    // The plug-in's objects carry its code; the caller gets copies made here, which outlive the plug-in.
    CColorDepthList fromPlugin;
    get(fromPlugin, extension);
    while (!fromPlugin.IsEmpty()) {
        const std::unique_ptr<CColorDepth> depth(fromPlugin.RemoveHead());
        depths.AddTail(new CColorDepth(depth->m_name, depth->m_bits));
    }
}

bool CExtMgr::ExtensionHasQuality(const CString& extension) {
    const CPluginExt* plugin = FindPluginForSave(extension);
    auto* hasQuality =
        plugin ? plugin->FindExport<CodecExtensionHasQuality>(kExtensionHasQualityExport) : nullptr;
    return hasQuality && hasQuality(extension);
}

CString CExtMgr::BuildFilter(bool withAllEntry, ListMember extensions, ListMember descriptions) const {
    CString list;
    CString all = "Alle Grafiken |";
    for (POSITION pos = GetHeadPosition(); pos;) {
        const CPluginExt* plugin = GetNext(pos);
        if (!plugin || !plugin->m_module)
            continue;
        const CStringList& names = plugin->*extensions;
        const CStringList& texts = plugin->*descriptions;
        POSITION namePos = names.GetHeadPosition();
        POSITION textPos = texts.GetHeadPosition();
        while (namePos && textPos) {
            const CString& extension = names.GetNext(namePos);
            const CString& description = texts.GetNext(textPos);
            list.AppendFormat("%s (*.%s)|*.%s|", description, extension, extension);
            if (withAllEntry)
                all += "; *." + extension;
        }
    }
    list += "|";
    all += "|";
    return withAllEntry ? all + list : list;
}

CString CExtMgr::BuildOpenFilter(bool withAllEntry) const {
    return BuildFilter(withAllEntry, &CPluginExt::m_openExtensions, &CPluginExt::m_openDescriptions);
}

CString CExtMgr::BuildSaveFilter(bool withAllEntry) const {
    return BuildFilter(withAllEntry, &CPluginExt::m_saveExtensions, &CPluginExt::m_saveDescriptions);
}

void CExtMgr::AppendLists(CStringList& list, ListMember member) const {
    for (POSITION pos = GetHeadPosition(); pos;) {
        const CPluginExt* plugin = GetNext(pos);
        if (!plugin || !plugin->m_module)
            continue;
        const CStringList& names = plugin->*member;
        for (POSITION namePos = names.GetHeadPosition(); namePos;)
            list.AddTail(names.GetNext(namePos));
    }
}

void CExtMgr::GetOpenExtensions(CStringList& list) const {
    AppendLists(list, &CPluginExt::m_openExtensions);
}

void CExtMgr::GetOpenDescriptions(CStringList& list) const {
    AppendLists(list, &CPluginExt::m_openDescriptions);
}

void CExtMgr::GetSaveExtensions(CStringList& list) const {
    AppendLists(list, &CPluginExt::m_saveExtensions);
}

void CExtMgr::GetSaveDescriptions(CStringList& list) const {
    AppendLists(list, &CPluginExt::m_saveDescriptions);
}

CString CExtMgr::GetFirstExtension(ListMember extensions) const {
    for (POSITION pos = GetHeadPosition(); pos;) {
        const CPluginExt* plugin = GetNext(pos);
        if (plugin && plugin->m_module && !(plugin->*extensions).IsEmpty())
            return (plugin->*extensions).GetHead();
    }
    return {};
}

CString CExtMgr::GetFirstOpenExtension() const {
    return GetFirstExtension(&CPluginExt::m_openExtensions);
}

CString CExtMgr::GetFirstSaveExtension() const {
    return GetFirstExtension(&CPluginExt::m_saveExtensions);
}
