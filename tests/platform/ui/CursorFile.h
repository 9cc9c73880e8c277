#pragma once
// The bytes of a small cursor file, for the tests of cursors and of the pictures taken from them.

#include "platform/base/WinTypes.h"

#include <vector>

inline void PutWord(std::vector<unsigned char>& bytes, unsigned value) {
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

inline void PutLong(std::vector<unsigned char>& bytes, unsigned value) {
    PutWord(bytes, value & 0xFFFF);
    PutWord(bytes, value >> 16);
}

// A cursor file with one 4 x 4 picture of 32 bits per pixel: the directory (type 2, the hot spot in the
// entry), then a DIB of double height (colour rows, then the AND mask rows).
inline std::vector<unsigned char> CursorFile(WORD type, WORD hotX, WORD hotY) {
    constexpr unsigned kSide = 4;
    constexpr unsigned kHeader = 40;
    constexpr unsigned kColours = kSide * kSide * 4;
    constexpr unsigned kMask = kSide * 4; // rows padded to four bytes
    std::vector<unsigned char> bytes;
    PutWord(bytes, 0);
    PutWord(bytes, type);
    PutWord(bytes, 1);
    bytes.insert(bytes.end(), {kSide, kSide, 0, 0});
    PutWord(bytes, hotX);
    PutWord(bytes, hotY);
    PutLong(bytes, kHeader + kColours + kMask);
    PutLong(bytes, 22);
    PutLong(bytes, kHeader);
    PutLong(bytes, kSide);
    PutLong(bytes, kSide * 2);
    PutWord(bytes, 1);
    PutWord(bytes, 32);
    for (int i = 0; i < 6; ++i)
        PutLong(bytes, 0);
    for (unsigned i = 0; i < kSide * kSide; ++i)
        bytes.insert(bytes.end(), {0, 0, 255, 255});
    bytes.insert(bytes.end(), kMask, 0);
    return bytes;
}
