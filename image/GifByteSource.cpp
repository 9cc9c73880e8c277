// The byte source of the GIF reader.

#include "image/GifByteSource.h"

#include "platform/base/Exception.h"
#include "platform/base/File.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kReadBufferSize = 16384;

} // namespace

CGifByteSource::CGifByteSource(std::span<const BYTE> bytes)
    : m_next(bytes.data()), m_end(bytes.data() + bytes.size()) {}

CGifByteSource::CGifByteSource(CFile& file) : m_file(&file), m_buffer(kReadBufferSize) {}

bool CGifByteSource::Refill() {
    if (!m_file)
        return false;
    UINT got = 0;
    try {
        got = m_file->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
    } catch (CException* e) {
        e->Delete();
        got = 0;
    }
    if (got == 0) {
        // A file that failed once is not asked again.
        m_file = nullptr;
        return false;
    }
    m_next = m_buffer.data();
    m_end = m_next + got;
    return true;
}

bool CGifByteSource::Read(BYTE* out, std::size_t count) {
    while (count > 0) {
        if (m_next == m_end && !Refill())
            return false;
        const std::size_t part = std::min<std::size_t>(count, static_cast<std::size_t>(m_end - m_next));
        std::memcpy(out, m_next, part);
        m_next += part;
        out += part;
        count -= part;
    }
    return true;
}

bool CGifByteSource::Skip(std::size_t count) {
    while (count > 0) {
        if (m_next == m_end && !Refill())
            return false;
        const std::size_t part = std::min<std::size_t>(count, static_cast<std::size_t>(m_end - m_next));
        m_next += part;
        count -= part;
    }
    return true;
}
