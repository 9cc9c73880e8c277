#pragma once
// CFileImageImpl: a DIB image with the file it reads or writes.

#include "image/ImageImpl.h"

class CFileImageImpl : public CImageImpl {
public:
    const CString& GetPath() const { return m_path; }
    void SetPath(const CString& path) { m_path = path; }

private:
    CString m_path;
};
