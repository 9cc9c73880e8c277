#include "platform/scan/ScanDib.h"

#include "platform/base/DibLimits.h"
#include "platform/base/WinStructs.h"

#include <cstring>
#include <utility>

namespace {

// Sample index of a line; 16-bit samples come in the host's byte order.
BYTE Sample(const SANE_Byte* line, int depth, std::size_t index) {
    if (depth == 16) {
        std::uint16_t value;
        std::memcpy(&value, line + index * 2, 2);
        return static_cast<BYTE>(value >> 8);
    }
    return line[index];
}

} // namespace

CScanDibWriter::CScanDibWriter(const SANE_Parameters& parameters, std::int64_t lines)
    : m_parameters(parameters), m_width(parameters.pixels_per_line), m_height(lines) {
    if (m_width <= 0 || m_height <= 0 || parameters.bytes_per_line <= 0 || m_width > kMaxDibSide ||
        m_height > kMaxDibSide || m_width * m_height > kMaxDibPixels)
        return;
    const bool grey = parameters.format == SANE_FRAME_GRAY;
    m_bitCount = grey ? (parameters.depth == 1 ? 1 : 8) : 24;
    const int colours = m_bitCount == 1 ? 2 : m_bitCount == 8 ? 256 : 0;
    m_rowBytes = DibRowBytes(m_width, m_bitCount);
    const std::size_t headerBytes =
        sizeof(BITMAPINFOHEADER) + static_cast<std::size_t>(colours) * sizeof(RGBQUAD);
    // Not cleared: every row is written once, by a line or as white.
    m_block = GlobalAlloc(GMEM_MOVEABLE, headerBytes + static_cast<std::size_t>(m_rowBytes * m_height));
    if (!m_block)
        return;
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(m_block));
    *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER),
                               static_cast<LONG>(m_width),
                               static_cast<LONG>(m_height),
                               1,
                               static_cast<WORD>(m_bitCount),
                               BI_RGB,
                               static_cast<DWORD>(m_rowBytes * m_height),
                               0,
                               0,
                               static_cast<DWORD>(colours),
                               0};
    auto* table = reinterpret_cast<RGBQUAD*>(header + 1);
    for (int i = 0; i < colours; ++i) {
        const auto level = static_cast<BYTE>(colours == 2 ? (i ? 0 : 255) : i);
        table[i] = RGBQUAD{level, level, level, 0};
    }
    m_bits = reinterpret_cast<BYTE*>(header) + headerBytes;
}

CScanDibWriter::~CScanDibWriter() {
    if (m_block) {
        GlobalUnlock(m_block);
        GlobalFree(m_block);
    }
}

void CScanDibWriter::WriteLine(const SANE_Byte* line) {
    if (m_next >= m_height)
        return;
    BYTE* row = Row(m_next++);
    const auto width = static_cast<std::size_t>(m_width);
    std::size_t used = 0;
    if (m_bitCount == 1) {
        used = (width + 7) / 8;
        std::memcpy(row, line, used);
    } else if (m_bitCount == 8) {
        used = width;
        if (m_parameters.depth == 8)
            std::memcpy(row, line, width);
        else
            for (std::size_t x = 0; x < width; ++x)
                row[x] = Sample(line, m_parameters.depth, x);
    } else {
        used = width * 3;
        if (m_parameters.depth == 8) {
            for (std::size_t x = 0; x < width; ++x, row += 3, line += 3) {
                row[0] = line[2];
                row[1] = line[1];
                row[2] = line[0];
            }
            row -= used;
        } else {
            for (std::size_t x = 0; x < width; ++x)
                for (std::size_t c = 0; c < 3; ++c)
                    row[x * 3 + 2 - c] = Sample(line, m_parameters.depth, x * 3 + c);
        }
    }
    std::memset(row + used, 0, static_cast<std::size_t>(m_rowBytes) - used);
}

void CScanDibWriter::WriteColourLine(const std::vector<ScanFrame>& frames) {
    if (m_next >= m_height)
        return;
    const std::int64_t line = m_next++;
    BYTE* row = Row(line);
    std::memset(row, 0, static_cast<std::size_t>(m_rowBytes));
    for (const ScanFrame& frame : frames) {
        const auto lineBytes = static_cast<std::size_t>(frame.parameters.bytes_per_line);
        if (frame.bytes.size() < static_cast<std::size_t>(line + 1) * lineBytes)
            continue;
        const std::size_t c = frame.parameters.format == SANE_FRAME_RED     ? 2
                              : frame.parameters.format == SANE_FRAME_GREEN ? 1
                                                                            : 0;
        const SANE_Byte* bytes = frame.bytes.data() + static_cast<std::size_t>(line) * lineBytes;
        for (std::size_t x = 0; x < static_cast<std::size_t>(m_width); ++x)
            row[x * 3 + c] = Sample(bytes, frame.parameters.depth, x);
    }
}

HGLOBAL CScanDibWriter::Finish() {
    if (!m_block)
        return nullptr;
    // White is index 0 of line art's table and the top value of grey and colour.
    const int white = m_bitCount == 1 ? 0 : 255;
    for (; m_next < m_height; ++m_next)
        std::memset(Row(m_next), white, static_cast<std::size_t>(m_rowBytes));
    GlobalUnlock(m_block);
    return std::exchange(m_block, nullptr);
}

HGLOBAL MakeScanDib(const std::vector<ScanFrame>& frames) {
    const SANE_Parameters& first = frames.front().parameters;
    if (first.bytes_per_line <= 0)
        return nullptr;
    const auto lineBytes = static_cast<std::size_t>(first.bytes_per_line);
    const auto lines = static_cast<std::int64_t>(frames.front().bytes.size() / lineBytes);
    const bool threePass = first.format != SANE_FRAME_GRAY && first.format != SANE_FRAME_RGB;
    SANE_Parameters layout = first;
    if (threePass)
        layout.format = SANE_FRAME_RGB;
    CScanDibWriter writer(layout, lines);
    if (!writer.IsValid())
        return nullptr;
    if (!threePass) {
        for (std::int64_t line = 0; line < lines; ++line)
            writer.WriteLine(frames.front().bytes.data() + static_cast<std::size_t>(line) * lineBytes);
        return writer.Finish();
    }
    for (std::int64_t line = 0; line < lines; ++line)
        writer.WriteColourLine(frames);
    return writer.Finish();
}
