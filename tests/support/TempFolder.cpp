#include "tests/support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <stdlib.h>

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vc-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = CString(pattern);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path.str(), ignored);
}

std::vector<CString> TempFolder::Names() const {
    std::vector<CString> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_path.str())) {
        names.push_back(CString(entry.path().filename().string()));
    }
    std::sort(names.begin(), names.end());
    return names;
}
