#include "image/PluginExt.h"

CPluginExt::~CPluginExt() {
    if (m_module)
        FreeLibrary(m_module);
}

bool CPluginExt::Load() {
    m_module = LoadLibrary(m_path);
    if (!m_module)
        return false;
    auto* loadLibraries = FindExport<CodecLoadLibraries>(kLoadLibrariesExport);
    if (!loadLibraries || !loadLibraries())
        return false;
    auto* openExtensions = FindExport<CodecGetExtensionsAvailable>(kGetOpenExtensionsAvailableExport);
    if (!openExtensions)
        return false;
    openExtensions(m_openExtensions, m_openDescriptions);
    auto* saveExtensions = FindExport<CodecGetExtensionsAvailable>(kGetSaveExtensionsAvailableExport);
    if (!saveExtensions)
        return false;
    saveExtensions(m_saveExtensions, m_saveDescriptions);
    return true;
}
