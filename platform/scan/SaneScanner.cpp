#include "platform/scan/SaneScanner.h"

#include "platform/base/DibLimits.h"
#include "platform/base/WinStructs.h"

#include <cstring>
#include <sane/saneopts.h>
#include <vector>

namespace {

struct Frame {
    SANE_Parameters parameters{};
    std::vector<SANE_Byte> bytes;
};

// A frame's sample at byte offset of one line; 16-bit samples come in the host's byte order.
BYTE Sample(const Frame& frame, std::size_t line, std::size_t index) {
    const std::size_t start = line * static_cast<std::size_t>(frame.parameters.bytes_per_line);
    if (frame.parameters.depth == 16) {
        std::uint16_t value;
        std::memcpy(&value, frame.bytes.data() + start + index * 2, 2);
        return static_cast<BYTE>(value >> 8);
    }
    return frame.bytes[start + index];
}

HGLOBAL MakeDib(const std::vector<Frame>& frames) {
    const SANE_Parameters& first = frames.front().parameters;
    const std::int64_t width = first.pixels_per_line;
    if (width <= 0 || first.bytes_per_line <= 0)
        return nullptr;
    const std::int64_t height = static_cast<std::int64_t>(frames.front().bytes.size()) / first.bytes_per_line;
    if (height <= 0 || width > kMaxDibSide || height > kMaxDibSide || width * height > kMaxDibPixels)
        return nullptr;
    const bool grey = first.format == SANE_FRAME_GRAY;
    const int bits = grey ? (first.depth == 1 ? 1 : 8) : 24;
    const int colours = bits == 1 ? 2 : bits == 8 ? 256 : 0;
    const std::int64_t rowBytes = DibRowBytes(width, bits);
    const std::size_t headerBytes =
        sizeof(BITMAPINFOHEADER) + static_cast<std::size_t>(colours) * sizeof(RGBQUAD);
    HGLOBAL block = GlobalAlloc(GHND, headerBytes + static_cast<std::size_t>(rowBytes * height));
    if (!block)
        return nullptr;
    CGlobalLock lock(block);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(lock.Bytes());
    *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER),
                               static_cast<LONG>(width),
                               static_cast<LONG>(height),
                               1,
                               static_cast<WORD>(bits),
                               BI_RGB,
                               static_cast<DWORD>(rowBytes * height),
                               0,
                               0,
                               static_cast<DWORD>(colours),
                               0};
    auto* table = reinterpret_cast<RGBQUAD*>(header + 1);
    for (int i = 0; i < colours; ++i) {
        // A scanner's line art marks black with 1.
        const auto level = static_cast<BYTE>(colours == 2 ? (i ? 0 : 255) : i);
        table[i] = RGBQUAD{level, level, level, 0};
    }
    BYTE* bits0 = lock.Bytes() + headerBytes;
    for (std::int64_t line = 0; line < height; ++line) {
        BYTE* row = bits0 + (height - 1 - line) * rowBytes;
        const auto y = static_cast<std::size_t>(line);
        if (bits == 1) {
            std::memcpy(row, frames.front().bytes.data() + y * static_cast<std::size_t>(first.bytes_per_line),
                        static_cast<std::size_t>((width + 7) / 8));
        } else if (bits == 8) {
            for (std::int64_t x = 0; x < width; ++x)
                row[x] = Sample(frames.front(), y, static_cast<std::size_t>(x));
        } else if (first.format == SANE_FRAME_RGB) {
            for (std::int64_t x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    row[x * 3 + 2 - c] = Sample(frames.front(), y, static_cast<std::size_t>(x * 3 + c));
        } else {
            // Three passes, one colour each.
            for (const Frame& frame : frames) {
                const int c = frame.parameters.format == SANE_FRAME_RED     ? 2
                              : frame.parameters.format == SANE_FRAME_GREEN ? 1
                                                                            : 0;
                if (static_cast<std::int64_t>(frame.bytes.size()) <
                    (line + 1) * frame.parameters.bytes_per_line)
                    continue;
                for (std::int64_t x = 0; x < width; ++x)
                    row[x * 3 + c] = Sample(frame, y, static_cast<std::size_t>(x));
            }
        }
    }
    return block;
}

} // namespace

CSaneScanner::~CSaneScanner() {
    m_library.cancel(m_handle);
    m_library.close(m_handle);
}

int CSaneScanner::FindOption(const char* name) const {
    for (SANE_Int i = 1;; ++i) {
        const SANE_Option_Descriptor* option = m_library.getOptionDescriptor(m_handle, i);
        if (!option)
            return -1;
        if (option->name && std::strcmp(option->name, name) == 0 && SANE_OPTION_IS_ACTIVE(option->cap))
            return i;
    }
}

bool CSaneScanner::SetString(const char* name, const char* value) {
    const int index = FindOption(name);
    if (index < 0)
        return false;
    const SANE_Option_Descriptor* option = m_library.getOptionDescriptor(m_handle, index);
    std::vector<char> buffer(static_cast<std::size_t>(std::max<SANE_Int>(option->size, 1)) +
                             std::strlen(value));
    std::strcpy(buffer.data(), value);
    m_status = m_library.controlOption(m_handle, index, SANE_ACTION_SET_VALUE, buffer.data(), nullptr);
    return m_status == SANE_STATUS_GOOD;
}

bool CSaneScanner::SetNumber(const char* name, double value) {
    const int index = FindOption(name);
    if (index < 0)
        return false;
    const SANE_Option_Descriptor* option = m_library.getOptionDescriptor(m_handle, index);
    SANE_Word word = option->type == SANE_TYPE_FIXED ? SANE_FIX(value) : static_cast<SANE_Word>(value);
    m_status = m_library.controlOption(m_handle, index, SANE_ACTION_SET_VALUE, &word, nullptr);
    return m_status == SANE_STATUS_GOOD;
}

bool CSaneScanner::SetToLimit(const char* name, bool maximum, double* set) {
    const int index = FindOption(name);
    if (index < 0)
        return false;
    const SANE_Option_Descriptor* option = m_library.getOptionDescriptor(m_handle, index);
    if (option->constraint_type != SANE_CONSTRAINT_RANGE)
        return false;
    const SANE_Word word = maximum ? option->constraint.range->max : option->constraint.range->min;
    const double value = option->type == SANE_TYPE_FIXED ? SANE_UNFIX(word) : word;
    if (set)
        *set = value;
    return SetNumber(name, value);
}

bool CSaneScanner::Apply(const ScanSettings& settings) {
    if (!settings.documentSource.IsEmpty() && !SetString("source", settings.documentSource))
        return false;
    const CString source = settings.documentSource;
    m_feeder = source.Find("Feeder") >= 0 || source.Find("ADF") >= 0;
    bool modeSet = false;
    switch (settings.mode) {
    case ScanSettings::Mode::kColor:
        modeSet = SetString("mode", SANE_VALUE_SCAN_MODE_COLOR) && (SetNumber("depth", 8) || true);
        break;
    case ScanSettings::Mode::kGray:
        modeSet = SetString("mode", SANE_VALUE_SCAN_MODE_GRAY) && (SetNumber("depth", 8) || true);
        break;
    case ScanSettings::Mode::kLineart:
        // A device without line art scans grey at one bit.
        modeSet = SetString("mode", SANE_VALUE_SCAN_MODE_LINEART) ||
                  (SetString("mode", SANE_VALUE_SCAN_MODE_GRAY) && SetNumber("depth", 1));
        break;
    }
    double left = 0, top = 0, right = 0, bottom = 0;
    const bool areaSet = SetToLimit("tl-x", false, &left) && SetToLimit("tl-y", false, &top) &&
                         SetToLimit("br-x", true, &right) && SetToLimit("br-y", true, &bottom);
    m_areaWidth = right - left;
    m_areaHeight = bottom - top;
    return modeSet && SetNumber("resolution", settings.resolution) && areaSet;
}

CSaneScanner::Result CSaneScanner::Scan(HGLOBAL& dib) {
    dib = nullptr;
    std::vector<Frame> frames;
    for (;;) {
        m_status = m_library.start(m_handle);
        if (m_status == SANE_STATUS_NO_DOCS)
            return Result::kNoDocuments;
        if (m_status == SANE_STATUS_CANCELLED)
            return Result::kCancelled;
        if (m_status != SANE_STATUS_GOOD)
            return m_library.cancel(m_handle), Result::kFailed;
        Frame frame;
        m_library.getParameters(m_handle, &frame.parameters);
        SANE_Byte buffer[64 * 1024];
        for (SANE_Int length = 0;;) {
            m_status = m_library.read(m_handle, buffer, sizeof buffer, &length);
            if (m_status == SANE_STATUS_EOF)
                break;
            if (m_status != SANE_STATUS_GOOD) {
                m_library.cancel(m_handle);
                return m_status == SANE_STATUS_CANCELLED ? Result::kCancelled : Result::kFailed;
            }
            // An unknown line count grows the picture only within what a DIB can hold.
            if (frame.bytes.size() + static_cast<std::size_t>(length) >
                static_cast<std::size_t>(kMaxDibPixels) * 6) {
                m_library.cancel(m_handle);
                return Result::kFailed;
            }
            frame.bytes.insert(frame.bytes.end(), buffer, buffer + length);
        }
        const bool last = frame.parameters.last_frame != SANE_FALSE;
        frames.push_back(std::move(frame));
        if (last)
            break;
    }
    m_status = SANE_STATUS_GOOD;
    if (!m_feeder)
        m_library.cancel(m_handle);
    dib = MakeDib(frames);
    if (!dib) {
        m_status = SANE_STATUS_NO_MEM;
        return Result::kFailed;
    }
    return Result::kDone;
}
