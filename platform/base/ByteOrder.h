#pragma once
// Little-endian fields of stored formats, read from and appended to byte blocks.

#include "platform/base/WinTypes.h"

#include <string>
#include <vector>

inline WORD ReadLe16(const BYTE* p) {
    return static_cast<WORD>(p[0] | p[1] << 8);
}

inline DWORD ReadLe32(const BYTE* p) {
    return static_cast<DWORD>(p[0]) | static_cast<DWORD>(p[1]) << 8 | static_cast<DWORD>(p[2]) << 16 |
           static_cast<DWORD>(p[3]) << 24;
}

inline ULONGLONG ReadLe64(const BYTE* p) {
    return static_cast<ULONGLONG>(ReadLe32(p)) | static_cast<ULONGLONG>(ReadLe32(p + 4)) << 32;
}

inline void AppendLe16(std::vector<BYTE>& out, WORD value) {
    out.push_back(static_cast<BYTE>(value));
    out.push_back(static_cast<BYTE>(value >> 8));
}

inline void AppendLe32(std::vector<BYTE>& out, DWORD value) {
    AppendLe16(out, static_cast<WORD>(value));
    AppendLe16(out, static_cast<WORD>(value >> 16));
}

inline void AppendLe16(std::string& out, WORD value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

inline void AppendLe32(std::string& out, DWORD value) {
    AppendLe16(out, static_cast<WORD>(value & 0xFFFF));
    AppendLe16(out, static_cast<WORD>(value >> 16));
}
