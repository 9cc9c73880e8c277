#include "library/Base64.h"

#include "platform/base/GlobalMemory.h"

#include <algorithm>
#include <array>
#include <cstdint>

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

// One group of one to three bytes as four characters, "=" standing in for the missing bytes.
char* Base64EncodeGroup(const BYTE* bytes, int count, char* out) {
    if (count == 3) {
        const DWORD bits = (DWORD{bytes[0]} << 16) | (DWORD{bytes[1]} << 8) | bytes[2];
        out[0] = kAlphabet[bits >> 18];
        out[1] = kAlphabet[(bits >> 12) & 0x3F];
        out[2] = kAlphabet[(bits >> 6) & 0x3F];
        out[3] = kAlphabet[bits & 0x3F];
        return out + 4;
    }
    const DWORD bits = (DWORD{bytes[0]} << 16) | (count > 1 ? DWORD{bytes[1]} << 8 : 0);
    out[0] = kAlphabet[bits >> 18];
    out[1] = kAlphabet[(bits >> 12) & 0x3F];
    out[2] = count > 1 ? kAlphabet[(bits >> 6) & 0x3F] : '=';
    out[3] = '=';
    return out + 4;
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
    const SIZE_T groups = (static_cast<SIZE_T>(length) + 2) / 3;
    // A line argument below 4 would make lines of no groups: the text then stays one line.
    const SIZE_T groupsPerLine = lineLength >= 4 ? static_cast<SIZE_T>(lineLength / 4) : groups;
    const SIZE_T lines = groups == 0 ? 0 : (groups + groupsPerLine - 1) / groupsPerLine;
    const SIZE_T textLength = groups * 4 + lines * 2;
    UniqueGlobal encoded(GlobalAlloc(GHND, textLength + 1));
    if (!encoded)
        return nullptr;
    const CGlobalLock encodedLock(encoded.get());
    if (encodedLock.Bytes() == nullptr)
        return nullptr;

    char* out = reinterpret_cast<char*>(encodedLock.Bytes());
    const BYTE* in = bytes;
    SIZE_T groupsOnLine = 0;
    for (SIZE_T group = 0; group < groups; ++group, in += 3) {
        out = Base64EncodeGroup(in, static_cast<int>(std::min<SIZE_T>(3, bytes + length - in)), out);
        if (++groupsOnLine == groupsPerLine || group + 1 == groups) {
            *out++ = '\r';
            *out++ = '\n';
            groupsOnLine = 0;
        }
    }
    outLength = static_cast<DWORD>(textLength);
    return encoded.release();
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
