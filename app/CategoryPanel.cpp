#include "app/CategoryPanel.h"

namespace {

CategoryPanelFactory g_factory = nullptr;

} // namespace

void SetCategoryPanelFactory(CategoryPanelFactory factory) {
    g_factory = factory;
}

ICategoryPanel* NewCategoryPanel() {
    return g_factory ? g_factory() : nullptr;
}
