#include "library/Base64.h"

#include "platform/base/GlobalMemory.h"
#include "platform/base/Parallel.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kNotInAlphabet = -1;

constexpr std::array<int, 256> MakeDecodeTable() {
    std::array<int, 256> table{};
    table.fill(kNotInAlphabet);
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = i;
    return table;
}
constexpr std::array<int, 256> kDecodeTable = MakeDecodeTable();

// Locks source for reading length bytes; null when it cannot be locked or is shorter than that.
const BYTE* SourceBytes(const CGlobalLock& lock, int length) {
    if (lock.Bytes() == nullptr || length < 0 || static_cast<SIZE_T>(length) > lock.Size())
        return nullptr;
    return lock.Bytes();
}

// The two characters of each 12-bit half of a group, so that a group takes two look-ups.
constexpr std::array<std::array<char, 2>, 4096> MakePairTable() {
    std::array<std::array<char, 2>, 4096> pairs{};
    for (int i = 0; i < 4096; ++i)
        pairs[i] = {kAlphabet[i >> 6], kAlphabet[i & 0x3F]};
    return pairs;
}
constexpr std::array<std::array<char, 2>, 4096> kPairs = MakePairTable();

char* EncodeFullGroups(const BYTE* in, std::size_t groups, char* out) {
    for (std::size_t g = 0; g < groups; ++g, in += 3, out += 4) {
        const DWORD bits = (DWORD{in[0]} << 16) | (DWORD{in[1]} << 8) | in[2];
        std::memcpy(out, kPairs[bits >> 12].data(), 2);
        std::memcpy(out + 2, kPairs[bits & 0xFFF].data(), 2);
    }
    return out;
}

// The last group of one or two bytes, "=" standing in for the missing ones.
char* EncodeShortGroup(const BYTE* in, std::size_t count, char* out) {
    const DWORD bits = (DWORD{in[0]} << 16) | (count > 1 ? DWORD{in[1]} << 8 : 0);
    out[0] = kAlphabet[bits >> 18];
    out[1] = kAlphabet[(bits >> 12) & 0x3F];
    out[2] = count > 1 ? kAlphabet[(bits >> 6) & 0x3F] : '=';
    out[3] = '=';
    return out + 4;
}

std::size_t GroupCount(std::size_t length) {
    return (length + 2) / 3;
}

// Whole lines worth a thread of their own: about a megabyte of text.
constexpr std::size_t kTextPerRange = 1 << 20;

// Writes the text of length bytes in lines of groupsPerLine groups, each line ended by CR LF when
// lineBreaks is set; returns the end of the text. Full lines are encoded in parallel.
char* EncodeLines(const BYTE* in, std::size_t length, std::size_t groupsPerLine, bool lineBreaks, char* out) {
    const std::size_t fullGroups = length / 3;
    const std::size_t fullLines = groupsPerLine == 0 ? 0 : fullGroups / groupsPerLine;
    const std::size_t lineText = groupsPerLine * 4 + (lineBreaks ? 2 : 0);
    ParallelFor(static_cast<std::int64_t>(fullLines), static_cast<std::int64_t>(kTextPerRange / lineText + 1),
                [&](std::int64_t begin, std::int64_t end) {
                    for (auto line = static_cast<std::size_t>(begin); line < static_cast<std::size_t>(end);
                         ++line) {
                        char* lineEnd = EncodeFullGroups(in + line * groupsPerLine * 3, groupsPerLine,
                                                         out + line * lineText);
                        if (lineBreaks)
                            std::memcpy(lineEnd, "\r\n", 2);
                    }
                });
    in += fullLines * groupsPerLine * 3;
    out += fullLines * lineText;
    // The last line: its remaining full groups and a short group.
    const std::size_t restGroups = fullGroups - fullLines * groupsPerLine;
    out = EncodeFullGroups(in, restGroups, out);
    in += restGroups * 3;
    if (length % 3 != 0)
        out = EncodeShortGroup(in, length % 3, out);
    if (lineBreaks && (restGroups > 0 || length % 3 != 0)) {
        *out++ = '\r';
        *out++ = '\n';
    }
    return out;
}

// Packs the 6-bit values of a group of count characters (2 to 4) into count - 1 bytes.
BYTE* Base64DecodeGroup(const int values[4], int count, BYTE* out) {
    const DWORD bits =
        (DWORD(values[0]) << 18) | (DWORD(values[1]) << 12) | (DWORD(values[2]) << 6) | DWORD(values[3]);
    *out++ = static_cast<BYTE>(bits >> 16);
    if (count > 2)
        *out++ = static_cast<BYTE>(bits >> 8);
    if (count > 3)
        *out++ = static_cast<BYTE>(bits);
    return out;
}

} // namespace

HGLOBAL Base64EncodeBuffer(HGLOBAL source, int length, DWORD& outLength, int lineLength) {
    const CGlobalLock sourceLock(source);
    const BYTE* bytes = SourceBytes(sourceLock, length);
    if (bytes == nullptr)
        return nullptr;
    const SIZE_T groups = GroupCount(static_cast<SIZE_T>(length));
    // A line argument below 4 would make lines of no groups: the text then stays one line.
    const SIZE_T groupsPerLine = lineLength >= 4 ? static_cast<SIZE_T>(lineLength / 4) : groups;
    const SIZE_T lines = groups == 0 ? 0 : (groups + groupsPerLine - 1) / groupsPerLine;
    const SIZE_T textLength = groups * 4 + lines * 2;
    // Only the terminating zero needs clearing: every other byte is written.
    UniqueGlobal encoded(GlobalAlloc(GMEM_MOVEABLE, textLength + 1));
    if (!encoded)
        return nullptr;
    const CGlobalLock encodedLock(encoded.get());
    if (encodedLock.Bytes() == nullptr)
        return nullptr;
    char* text = reinterpret_cast<char*>(encodedLock.Bytes());
    *EncodeLines(bytes, static_cast<SIZE_T>(length), groupsPerLine, true, text) = '\0';
    outLength = static_cast<DWORD>(textLength);
    return encoded.release();
}

CString Base64Text(const BYTE* bytes, std::size_t length) {
    std::string text(GroupCount(length) * 4, '\0');
    EncodeLines(bytes, length, GroupCount(length), false, text.data());
    return CString(text);
}

HGLOBAL Base64DecodeBuffer(HGLOBAL source, int length, DWORD& outLength) {
    const CGlobalLock sourceLock(source);
    const BYTE* text = SourceBytes(sourceLock, length);
    if (text == nullptr)
        return nullptr;
    // Every four characters give at most three bytes, so the block never needs to grow.
    UniqueGlobal decoded(GlobalAlloc(GHND, static_cast<SIZE_T>(length) * 3 / 4));
    if (!decoded)
        return nullptr;
    const CGlobalLock decodedLock(decoded.get());
    if (decodedLock.Bytes() == nullptr)
        return nullptr;

    BYTE* out = decodedLock.Bytes();
    int values[4] = {};
    int count = 0;
    for (int i = 0; i < length; ++i) {
        const int value = kDecodeTable[text[i]];
        if (value == kNotInAlphabet)
            continue;
        values[count++] = value;
        if (count == 4) {
            out = Base64DecodeGroup(values, 4, out);
            count = 0;
        }
    }
    if (count >= 2) {
        for (int i = count; i < 4; ++i)
            values[i] = 0;
        out = Base64DecodeGroup(values, count, out);
    }
    outLength = static_cast<DWORD>(out - decodedLock.Bytes());
    return decoded.release();
}
