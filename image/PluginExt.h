#pragma once
// CPluginExt: one codec plug-in as the plug-in manager holds it: its library, and the extensions with
// their descriptions that it opens and saves.

#include "image/CodecExports.h"
#include "platform/base/Lists.h"
#include "platform/base/Module.h"
#include "platform/base/String.h"

class CPluginExt : public CObject {
public:
    explicit CPluginExt(const CString& path) : m_path(path) {}
    // Frees the library; every object the plug-in made must be gone by then.
    ~CPluginExt() override;

    // Loads the library, lets it refuse in LoadLibraries and reads both extension lists. A plug-in that
    // fails keeps what it got so far (its library stays loaded) and is never chosen for a file.
    bool Load();

    // The export of that name with its type, looked up anew on every call; null without a library or
    // without the export.
    template <typename Function>
    Function* FindExport(const char* name) const {
        return m_module ? reinterpret_cast<Function*>(GetProcAddress(m_module, name)) : nullptr;
    }

    HMODULE m_module = nullptr;
    CString m_path;
    CStringList m_openExtensions{10};
    CStringList m_openDescriptions{10};
    CStringList m_saveExtensions{10};
    CStringList m_saveDescriptions{10};
};
