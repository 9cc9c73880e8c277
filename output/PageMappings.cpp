// The installed page-mapping list of the print dialogs.

#include "output/PageMappings.h"

namespace {
CPrinterMappingList* g_mappings = nullptr;
} // namespace

void SetPageMappings(CPrinterMappingList* mappings) {
    g_mappings = mappings;
}

CPrinterMappingList* GetPageMappings() {
    return g_mappings;
}
