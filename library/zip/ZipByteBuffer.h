#pragma once
// An owned byte block with its size, as the zip records keep extra fields and transfer buffers.

#include "platform/base/WinTypes.h"

#include <cstring>
#include <memory>

class CZipByteBuffer {
public:
    CZipByteBuffer() = default;
    CZipByteBuffer(const CZipByteBuffer& other) { *this = other; }
    CZipByteBuffer& operator=(const CZipByteBuffer& other) {
        if (this != &other) {
            Allocate(other.m_size);
            if (m_size != 0)
                std::memcpy(m_data.get(), other.m_data.get(), m_size);
        }
        return *this;
    }
    CZipByteBuffer(CZipByteBuffer&&) noexcept = default;
    CZipByteBuffer& operator=(CZipByteBuffer&&) noexcept = default;

    // Keeps the block when the size is unchanged (zero-filling it on request); size 0 leaves no block.
    void Allocate(DWORD size, bool zeroFill = false) {
        if (size != m_size) {
            m_data = size != 0 ? std::make_unique_for_overwrite<BYTE[]>(size) : nullptr;
            m_size = size;
        }
        if (zeroFill && m_size != 0)
            std::memset(m_data.get(), 0, m_size);
    }
    void Assign(const void* bytes, DWORD size) {
        Allocate(size);
        if (size != 0)
            std::memcpy(m_data.get(), bytes, size);
    }
    void Release() { Allocate(0); }

    DWORD GetSize() const { return m_size; }
    BYTE* GetBuffer() { return m_data.get(); }
    const BYTE* GetBuffer() const { return m_data.get(); }

private:
    std::unique_ptr<BYTE[]> m_data;
    DWORD m_size = 0;
};
