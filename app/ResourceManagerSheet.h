#pragma once
// The resource manager as the main window's command 2101 sees it. The resource manager implements it and
// start-up installs it; without one the command does nothing.

#include "platform/base/WinTypes.h"

class IResourceManagerSheet {
public:
    virtual ~IResourceManagerSheet() = default;

    // Runs the resource manager's sheet modally, without a parent window, until the user closes it.
    virtual INT_PTR RunResourceManager() = 0;
};

// Whoever installs it keeps ownership and puts null back before it goes.
inline IResourceManagerSheet*& ResourceManagerSheetSlot() {
    static IResourceManagerSheet* sheet = nullptr;
    return sheet;
}
inline void SetResourceManagerSheet(IResourceManagerSheet* sheet) {
    ResourceManagerSheetSlot() = sheet;
}
inline IResourceManagerSheet* GetResourceManagerSheet() {
    return ResourceManagerSheetSlot();
}
