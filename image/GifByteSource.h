#pragma once
// The bytes of a GIF file for its reader: from an open file through a buffer of 16384 bytes, or from
// memory. Every read says when the bytes have run out, so no reader goes past the end.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <span>
#include <vector>

class CFile;

class CGifByteSource {
public:
    explicit CGifByteSource(std::span<const BYTE> bytes);
    // The file stays the caller's and must stay open while the source is used.
    explicit CGifByteSource(CFile& file);

    // False at the end of the bytes.
    bool Next(BYTE& byte) {
        if (m_next == m_end && !Refill())
            return false;
        byte = *m_next++;
        return true;
    }
    // False when fewer than count bytes are left; the bytes read so far are used up.
    bool Read(BYTE* out, std::size_t count);
    bool Skip(std::size_t count);

private:
    bool Refill();

    CFile* m_file = nullptr;
    std::vector<BYTE> m_buffer;
    const BYTE* m_next = nullptr;
    const BYTE* m_end = nullptr;
};
