// Stand-ins for the page canvas's host interfaces.

#include "tests/page/FakeCanvasHost.h"

std::vector<std::string> FakeMainWnd::UndoClasses() const {
    std::vector<std::string> names;
    for (const auto& record : m_undo)
        names.emplace_back(record->GetRuntimeClass()->m_lpszClassName);
    return names;
}
