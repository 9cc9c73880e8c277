// The installed category panel host: the built-in one until the main window installs its own.

#include "albums/CategoryPanelHost.h"

namespace {

CNoCategoryPanelHost g_noHost;
ICategoryPanelHost* g_host = &g_noHost;

} // namespace

void SetCategoryPanelHost(ICategoryPanelHost* host) {
    g_host = host ? host : &g_noHost;
}

ICategoryPanelHost& CategoryPanelHost() {
    return *g_host;
}
