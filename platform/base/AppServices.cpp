#include "platform/base/AppServices.h"

#include <atomic>
#include <cstdio>

int CDefaultAppServices::MessageBox(UINT stringId, UINT style, UINT helpId) {
    return MessageBoxText(LoadString(stringId, 255), style, helpId);
}

int CDefaultAppServices::MessageBoxText(const CString& text, UINT style, UINT) {
    std::fprintf(stderr, "%s\n", text.GetString());
    return DefaultMessageBoxButton(style);
}

namespace {

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
