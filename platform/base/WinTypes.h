#pragma once
// Fixed-width types and handles of the Windows programming model, as the program's code uses them.

#include <climits>
#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using INT = int;
using UINT = unsigned int;
using BOOL = int;
using CHAR = char;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
// long long rather than int64_t (which is long here): code ported from a system where long has 32 bits
// must not pick a 64-bit overload by accident, so the archive can refuse plain long.
using LONGLONG = long long;
using ULONGLONG = unsigned long long;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using LONG_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using ULONG_PTR = std::uintptr_t;
using SIZE_T = std::size_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = DWORD;

using LPSTR = char*;
using LPCSTR = const char*;
using LPTSTR = char*;
using LPCTSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// Opaque handles. A file handle keeps null and INVALID_HANDLE_VALUE apart, because descriptor 0 is a
// valid file on Linux: the file layer stores descriptor + 1.
using HANDLE = void*;
struct GlobalBlock;
using HGLOBAL = GlobalBlock*;
struct ModuleRecord;
using HMODULE = ModuleRecord*;
using HINSTANCE = HMODULE;
// One resource found in a language module; it lives as long as the module.
struct ResourceEntry;
using HRSRC = ResourceEntry*;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

// INVALID_HANDLE_VALUE for a negative descriptor.
inline HANDLE HandleFromDescriptor(int descriptor) {
    return descriptor < 0 ? INVALID_HANDLE_VALUE
                          : reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(descriptor) + 1);
}
// -1 for null, INVALID_HANDLE_VALUE and values that cannot be a file handle.
inline int DescriptorFromHandle(HANDLE handle) {
    const auto value = reinterpret_cast<std::intptr_t>(handle);
    return value > 0 && value <= std::intptr_t{INT_MAX} + 1 ? static_cast<int>(value - 1) : -1;
}

// An export found by name; callers cast it to the export's real type before calling it.
using FARPROC = void (*)();

inline constexpr DWORD MAX_PATH = 260;

// COM result codes, as the XML layer reports them.
using HRESULT = LONG;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFF);
constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}

constexpr WORD LOWORD(DWORD v) {
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(DWORD v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr BYTE LOBYTE(WORD v) {
    return static_cast<BYTE>(v & 0xFF);
}
constexpr BYTE HIBYTE(WORD v) {
    return static_cast<BYTE>((v >> 8) & 0xFF);
}
constexpr DWORD MAKELONG(WORD lo, WORD hi) {
    return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16);
}
constexpr WORD MAKEWORD(BYTE lo, BYTE hi) {
    return static_cast<WORD>(lo | (hi << 8));
}

static_assert(sizeof(BYTE) == 1 && sizeof(WORD) == 2 && sizeof(DWORD) == 4 && sizeof(LONG) == 4);
