#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include "platform/base/String.h"

#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Absolute, without a trailing slash.
    const CString& Path() const { return m_path; }
    // The names in the folder, sorted.
    std::vector<CString> Names() const;

private:
    CString m_path;
};
