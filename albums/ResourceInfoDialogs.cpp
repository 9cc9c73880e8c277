#include "albums/ResourceInfoDialogs.h"

namespace {

IResourceInfoDialogs* g_dialogs = nullptr;

} // namespace

void SetResourceInfoDialogs(IResourceInfoDialogs* dialogs) {
    g_dialogs = dialogs;
}

IResourceInfoDialogs* ResourceInfoDialogs() {
    return g_dialogs;
}
