// The GIF LZW decoder (GIF89a appendix F). All coder state lives in one call, so threads may decode
// side by side.

#include "image/GifLzwDecoder.h"

#include "image/ImageImpl.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Codes have at most 12 bits.
constexpr int kMaxCodeSize = 12;
constexpr int kMaxCodes = 1 << kMaxCodeSize;
constexpr int kMinCodeSizeFloor = 2;
constexpr int kMinCodeSizeCeiling = 9;

// Codes read least significant bit first from the data sub-blocks (a size byte, then that many bytes).
class CodeReader {
public:
    explicit CodeReader(CGifByteSource& source) : m_source(source) {}

    // False when the sub-blocks or the file end before the code is complete.
    bool Read(int size, int& code) {
        while (m_bitCount < size) {
            BYTE byte = 0;
            if (m_blockLeft == 0) {
                if (!m_source.Next(byte) || byte == 0)
                    return false;
                m_blockLeft = byte;
            }
            if (!m_source.Next(byte))
                return false;
            --m_blockLeft;
            m_bits |= static_cast<unsigned>(byte) << m_bitCount;
            m_bitCount += 8;
        }
        code = static_cast<int>(m_bits & ((1u << size) - 1));
        m_bits >>= size;
        m_bitCount -= size;
        return true;
    }

private:
    CGifByteSource& m_source;
    unsigned m_bits = 0;
    int m_bitCount = 0;
    int m_blockLeft = 0;
};

struct CodeTables {
    WORD prefix[kMaxCodes];
    BYTE suffix[kMaxCodes];
    WORD length[kMaxCodes]; // of each code's string
    // A string that does not fit the rest of its row; the longest one has an entry for every code plus
    // the repeated character.
    BYTE spill[kMaxCodes + 1];
};

// Writes the string of code head, followed by tail when it is not negative, into out[0, total): the
// chain of prefixes yields it from its last character back. Returns its first character.
BYTE WriteString(const CodeTables& tables, int head, int tail, int firstFree, BYTE* out, int total) {
    BYTE* at = out + total - 1;
    if (tail >= 0)
        *at-- = static_cast<BYTE>(tail);
    int chain = head;
    while (chain >= firstFree && at > out) {
        *at-- = tables.suffix[chain];
        chain = tables.prefix[chain];
    }
    *at = static_cast<BYTE>(chain);
    return static_cast<BYTE>(chain);
}

// Puts decoded pixels straight into the rows.
class RowWriter {
public:
    explicit RowWriter(CGifRowCursor& rows) : m_rows(rows), m_row(rows.Row()), m_width(rows.Width()) {}

    // Where count pixels go when they fit the rest of the current row; null otherwise.
    BYTE* Reserve(int count) const { return m_row && count <= m_width - m_fill ? m_row + m_fill : nullptr; }
    // Moves past count reserved pixels.
    void Advance(int count) {
        m_fill += count;
        if (m_fill == m_width)
            NextRow();
    }
    // Puts pixels across rows; false when the rows are full.
    bool Put(const BYTE* pixels, int count) {
        while (count > 0) {
            if (!m_row)
                return false;
            const int part = std::min(count, m_width - m_fill);
            std::memcpy(m_row + m_fill, pixels, static_cast<std::size_t>(part));
            pixels += part;
            count -= part;
            Advance(part);
        }
        return true;
    }

private:
    void NextRow() {
        m_fill = 0;
        m_rows.NextRow();
        m_row = m_rows.Row();
    }

    CGifRowCursor& m_rows;
    BYTE* m_row;
    int m_width;
    int m_fill = 0;
};

} // namespace

CGifRowCursor::CGifRowCursor(CImageImpl& image, bool interlaced)
    : m_image(image), m_interlaced(interlaced), m_step(interlaced ? 8 : 1) {}

void CGifRowCursor::NextRow() {
    m_row += m_step;
    if (!m_interlaced)
        return;
    // Passes 1, 2 and 3 start at rows 4, 2 and 1 with steps 8, 4 and 2; after pass 3 no row is left.
    while (m_row >= m_image.GetHeight() && m_pass < 4) {
        ++m_pass;
        if (m_pass > 1)
            m_step /= 2;
        m_row = m_step / 2;
        if (m_pass == 4)
            m_row = m_image.GetHeight();
    }
}

BYTE* CGifRowCursor::Row() const {
    const int height = m_image.GetHeight();
    if (m_row < 0 || m_row >= height)
        return nullptr;
    return m_image.GetBits() + static_cast<std::ptrdiff_t>(m_image.GetStride()) * (height - 1 - m_row);
}

int CGifRowCursor::Width() const {
    return m_image.GetWidth();
}

GifDecodeResult DecodeGifData(CGifByteSource& source, CGifRowCursor& rows) {
    GifDecodeResult result;
    BYTE minimumSize = 0;
    if (!source.Next(minimumSize))
        return {GifDecodeEnd::DataEnded, 0};
    if (minimumSize < kMinCodeSizeFloor || minimumSize > kMinCodeSizeCeiling)
        return {GifDecodeEnd::CodeSize, 0};
    const int clearCode = 1 << minimumSize;
    const int endCode = clearCode + 1;
    const int firstFree = clearCode + 2;
    int codeSize = minimumSize + 1;
    int freeCode = firstFree;
    int limit = 1 << codeSize;

    std::unique_ptr<CodeTables> tables(new (std::nothrow) CodeTables());
    if (!tables)
        return {GifDecodeEnd::NoTables, 0};
    for (int code = 0; code < clearCode; ++code) {
        tables->suffix[code] = static_cast<BYTE>(code);
        tables->length[code] = 1;
    }
    RowWriter writer(rows);
    CodeReader reader(source);

    // Set after a clear code (and at the start): the next code starts the table afresh.
    bool fresh = true;
    int previous = 0;
    BYTE firstChar = 0;
    int code = 0;
    for (;;) {
        if (!reader.Read(codeSize, code)) {
            result.end = GifDecodeEnd::DataEnded;
            break;
        }
        if (code == endCode)
            break;
        if (code == clearCode) {
            codeSize = minimumSize + 1;
            freeCode = firstFree;
            limit = 1 << codeSize;
            fresh = true;
            continue;
        }
        if (fresh) {
            if (code >= freeCode)
                code = 0;
            previous = code;
            firstChar = static_cast<BYTE>(code);
            fresh = false;
            if (!writer.Put(&firstChar, 1)) {
                result.end = GifDecodeEnd::RowsFull;
                break;
            }
            continue;
        }
        // A code not below the free code stands for the previous string and its first character, which
        // is the free code's entry to be. One beyond that is bad; reading it as the free code keeps
        // every prefix below its own entry, so the chains always end.
        const bool repeat = code >= freeCode;
        if (repeat) {
            if (code > freeCode)
                ++result.badCodes;
            code = freeCode;
        }
        const int head = repeat ? previous : code;
        const int tail = repeat ? firstChar : -1;
        const int total = std::min<int>(tables->length[head] + (repeat ? 1 : 0), sizeof tables->spill);
        bool written = true;
        if (BYTE* out = writer.Reserve(total)) {
            firstChar = WriteString(*tables, head, tail, firstFree, out, total);
            writer.Advance(total);
        } else {
            firstChar = WriteString(*tables, head, tail, firstFree, tables->spill, total);
            written = writer.Put(tables->spill, total);
        }
        if (freeCode < kMaxCodes) {
            tables->suffix[freeCode] = firstChar;
            tables->prefix[freeCode] = static_cast<WORD>(previous);
            tables->length[freeCode] = static_cast<WORD>(tables->length[previous] + 1);
            ++freeCode;
            if (freeCode >= limit && codeSize < kMaxCodeSize) {
                limit *= 2;
                ++codeSize;
            }
        }
        previous = code;
        if (!written) {
            result.end = GifDecodeEnd::RowsFull;
            break;
        }
    }
    return result;
}
