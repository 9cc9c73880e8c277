#include "tests/app/FakeCategoryPanel.h"

namespace {

std::vector<CString>* g_log = nullptr;

ICategoryPanel* NewFake() {
    return new FakeCategoryPanel;
}

} // namespace

FakeCategoryPanel::Installer::Installer(std::vector<CString>* log) {
    g_log = log;
    SetCategoryPanelFactory(&NewFake);
}

FakeCategoryPanel::Installer::~Installer() {
    SetCategoryPanelFactory(nullptr);
    g_log = nullptr;
}

CWnd* FakeCategoryPanel::CreatePanel(CWnd* parent, const CRect& rect, UINT id) {
    return Create(nullptr, "CategWnd", WS_CHILD | WS_VISIBLE, rect, parent, id) ? this : nullptr;
}

void FakeCategoryPanel::Log(const char* call, int value) {
    if (!g_log)
        return;
    CString line;
    line.Format("%s %d", call, value);
    g_log->push_back(line);
}
