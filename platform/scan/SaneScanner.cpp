#include "platform/scan/SaneScanner.h"

#include "platform/base/DibLimits.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sane/saneopts.h>
#include <vector>

namespace {

// What one read asks for; a line longer than this is read whole.
constexpr std::size_t kReadChunk = 256 * 1024;
// The most one frame may bring: what the largest DIB holds at six bytes a pixel.
constexpr std::size_t kMaxFrameBytes = static_cast<std::size_t>(kMaxDibPixels) * 6;
// Offered when a device gives its resolutions as a range.
constexpr int kCommonResolutions[] = {75, 100, 150, 200, 300, 400, 600, 1200, 2400};

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
    m_pending = m_feeder ? kUnknownPendingCount : 1;
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

// Only the reading thread talks to the library: it stops the frame at its next read.
void CSaneScanner::Cancel() {
    m_cancelled = true;
}

std::vector<int> CSaneScanner::Resolutions() const {
    std::vector<int> resolutions;
    const int index = FindOption("resolution");
    const SANE_Option_Descriptor* option =
        index < 0 ? nullptr : m_library.getOptionDescriptor(m_handle, index);
    if (!option)
        return resolutions;
    const auto value = [option](SANE_Word word) {
        return static_cast<int>(option->type == SANE_TYPE_FIXED ? SANE_UNFIX(word) : word);
    };
    if (option->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
        const SANE_Word* list = option->constraint.word_list;
        for (SANE_Word i = 1; i <= list[0]; ++i)
            resolutions.push_back(value(list[i]));
    } else if (option->constraint_type == SANE_CONSTRAINT_RANGE) {
        const int low = value(option->constraint.range->min), high = value(option->constraint.range->max);
        for (int dpi : kCommonResolutions)
            if (dpi >= low && dpi <= high)
                resolutions.push_back(dpi);
    }
    std::sort(resolutions.begin(), resolutions.end());
    resolutions.erase(std::unique(resolutions.begin(), resolutions.end()), resolutions.end());
    return resolutions;
}

std::vector<CString> CSaneScanner::DocumentSources() const {
    std::vector<CString> sources;
    const int index = FindOption("source");
    const SANE_Option_Descriptor* option =
        index < 0 ? nullptr : m_library.getOptionDescriptor(m_handle, index);
    if (option && option->type == SANE_TYPE_STRING && option->constraint_type == SANE_CONSTRAINT_STRING_LIST)
        for (const SANE_String_Const* name = option->constraint.string_list; *name; ++name)
            sources.emplace_back(*name);
    return sources;
}

CSaneScanner::Result CSaneScanner::Acquire(HGLOBAL& dib) {
    dib = nullptr;
    m_cancelled = false;
    m_progress = -1;
    std::vector<ScanFrame> frames;
    for (;;) {
        if (m_cancelled)
            return Cancelled();
        m_status = m_library.start(m_handle);
        if (m_status == SANE_STATUS_NO_DOCS) {
            m_pending = 0;
            return Result::kNoMorePictures;
        }
        if (m_status == SANE_STATUS_CANCELLED || m_cancelled)
            return Cancelled();
        if (m_status != SANE_STATUS_GOOD)
            return Failed();
        ScanFrame frame;
        m_library.getParameters(m_handle, &frame.parameters);
        const SANE_Parameters& parameters = frame.parameters;
        const bool onePass = parameters.format == SANE_FRAME_GRAY || parameters.format == SANE_FRAME_RGB;
        if (frames.empty() && onePass && parameters.last_frame != SANE_FALSE && parameters.lines > 0)
            return ReadIntoDib(parameters, dib);
        if (!ReadFrame(frame))
            return m_status == SANE_STATUS_CANCELLED || m_cancelled ? Cancelled() : Failed();
        const bool last = parameters.last_frame != SANE_FALSE;
        frames.push_back(std::move(frame));
        if (last)
            break;
    }
    if (m_cancelled)
        return Cancelled();
    return Finish(MakeScanDib(frames), dib);
}

CSaneScanner::Result CSaneScanner::ReadIntoDib(const SANE_Parameters& parameters, HGLOBAL& dib) {
    CScanDibWriter writer(parameters, parameters.lines);
    if (!writer.IsValid()) {
        m_status = SANE_STATUS_NO_MEM;
        return Failed();
    }
    const auto lineBytes = static_cast<std::size_t>(parameters.bytes_per_line);
    std::vector<SANE_Byte> buffer(kReadChunk + lineBytes);
    std::size_t filled = 0;
    int lines = 0;
    for (;;) {
        SANE_Int length = 0;
        const std::size_t room = std::min<std::size_t>(buffer.size() - filled, SANE_Int{1} << 30);
        m_status = m_library.read(m_handle, buffer.data() + filled, static_cast<SANE_Int>(room), &length);
        if (m_status == SANE_STATUS_EOF)
            break;
        if (m_status != SANE_STATUS_GOOD || m_cancelled)
            return m_status == SANE_STATUS_CANCELLED || m_cancelled ? Cancelled() : Failed();
        filled += static_cast<std::size_t>(length);
        std::size_t used = 0;
        for (; filled - used >= lineBytes; used += lineBytes) {
            writer.WriteLine(buffer.data() + used);
            ++lines;
        }
        m_progress = static_cast<int>(std::int64_t{lines} * 100 / parameters.lines);
        std::memmove(buffer.data(), buffer.data() + used, filled - used);
        filled -= used;
    }
    if (m_cancelled)
        return Cancelled();
    return Finish(writer.Finish(), dib);
}

bool CSaneScanner::ReadFrame(ScanFrame& frame) {
    SANE_Byte buffer[64 * 1024];
    for (SANE_Int length = 0;;) {
        m_status = m_library.read(m_handle, buffer, sizeof buffer, &length);
        if (m_status == SANE_STATUS_EOF)
            return true;
        if (m_status != SANE_STATUS_GOOD || m_cancelled)
            return false;
        // An unknown line count grows the picture only within what a DIB can hold.
        if (frame.bytes.size() + static_cast<std::size_t>(length) > kMaxFrameBytes) {
            m_status = SANE_STATUS_NO_MEM;
            return false;
        }
        frame.bytes.insert(frame.bytes.end(), buffer, buffer + length);
    }
}

CSaneScanner::Result CSaneScanner::Finish(HGLOBAL made, HGLOBAL& dib) {
    m_status = SANE_STATUS_GOOD;
    if (!m_feeder) {
        m_library.cancel(m_handle);
        m_pending = 0;
    }
    dib = made;
    if (!dib) {
        m_status = SANE_STATUS_NO_MEM;
        return Result::kFailed;
    }
    return Result::kDone;
}

// A backend that reads in a thread of its own kills that thread on cancel wherever it is, also inside a
// library call that holds a lock of the C library (the locale lock while it formats an error); the lock
// then stays held and the program hangs at exit. So the frame is read to its end first, discarded, and
// the cancel finds the reader finished.
void CSaneScanner::StopFrame() {
    std::vector<SANE_Byte> buffer(kReadChunk);
    for (std::size_t discarded = 0; discarded <= kMaxFrameBytes;) {
        SANE_Int length = 0;
        if (m_library.read(m_handle, buffer.data(), static_cast<SANE_Int>(buffer.size()), &length) !=
            SANE_STATUS_GOOD)
            break;
        discarded += static_cast<std::size_t>(length);
    }
    m_library.cancel(m_handle);
}

CSaneScanner::Result CSaneScanner::Failed() {
    const SANE_Status status = m_status;
    StopFrame();
    m_status = status;
    return Result::kFailed;
}

CSaneScanner::Result CSaneScanner::Cancelled() {
    StopFrame();
    m_status = SANE_STATUS_CANCELLED;
    m_pending = 0;
    return Result::kCancelled;
}

UINT CSaneScanner::FailureMessage() const {
    switch (m_status) {
    case SANE_STATUS_JAMMED:
        return 7020;
    case SANE_STATUS_COVER_OPEN:
        return 7021;
    case SANE_STATUS_DEVICE_BUSY:
        return 7022;
    case SANE_STATUS_IO_ERROR:
        return 7023;
    case SANE_STATUS_NO_MEM:
        return 7024;
    case SANE_STATUS_ACCESS_DENIED:
        return 7025;
    case SANE_STATUS_INVAL:
    case SANE_STATUS_UNSUPPORTED:
        return 7026;
    default:
        return 7027;
    }
}
