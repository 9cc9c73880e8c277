#include "platform/base/AppServices.h"

#include <atomic>
#include <cstdio>

namespace {

// Services of a process without the application object: a plug-in, a tool, a test that installs none.
class CDefaultAppServices final : public IAppServices {
public:
    int MessageBox(UINT stringId, UINT style, UINT helpId) override {
        return MessageBoxText(LoadString(stringId, 255), style, helpId);
    }
    int MessageBoxText(const CString& text, UINT style, UINT) override {
        std::fprintf(stderr, "%s\n", text.GetString());
        return DefaultMessageBoxButton(style);
    }
    CString LoadString(UINT, int) override { return {}; }
    HMODULE GetEffectsModule() override { return nullptr; }
    HMODULE GetRastrumModule() override { return nullptr; }
    HMODULE GetResourceModule() override { return nullptr; }
    HMODULE GetTextModule() override { return nullptr; }
    BYTE IsEditMode() override { return FALSE; }
    LPCTSTR GetVersionTag() override { return "4.1.a"; }
    CString GetLoadedProjectVersion() override { return {}; }
    void SetLoadedProjectVersion(const CString&) override {}
    BYTE IsSavePromptEnabled() override { return FALSE; }
    BYTE GetSavePromptAnswer() override { return FALSE; }
    void SetSavePromptAnswer(BYTE /*answer*/) override {}
    void SetClipartPath(LPCTSTR) override {}
    CString GetAppName() override { return "Vellumcraft"; }
    CString GetAboutText() override { return {}; }
};

CDefaultAppServices g_defaultServices;
// Set at start-up; atomic because the thumbnail worker thread reads it too.
std::atomic<IAppServices*> g_services{nullptr};

} // namespace

void SetAppServices(IAppServices* services) {
    g_services.store(services);
}

IAppServices& AppServices() {
    IAppServices* services = g_services.load();
    return services ? *services : g_defaultServices;
}
