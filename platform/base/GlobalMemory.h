#pragma once
// Global memory blocks: the way file contents and pictures travel between the program, its plug-ins and
// its run-time libraries. A handle points at bookkeeping kept in front of the data, in one malloc block,
// so that any module can free a block another one made (all share the one C heap), and GlobalHandle can
// find the handle from a locked pointer.

#include "platform/base/WinTypes.h"

#include <memory>

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_NOCOMPACT = 0x0010;
inline constexpr UINT GMEM_NODISCARD = 0x0020;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GMEM_MODIFY = 0x0080;
inline constexpr UINT GMEM_DISCARDABLE = 0x0100;
inline constexpr UINT GMEM_SHARE = 0x2000;
inline constexpr UINT GMEM_DDESHARE = GMEM_SHARE;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
inline constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// Results of GlobalFlags.
inline constexpr UINT GMEM_LOCKCOUNT = 0x00FF;
inline constexpr UINT GMEM_DISCARDED = 0x4000;
inline constexpr UINT GMEM_INVALID_HANDLE = 0x8000;

// A new block of bytes, null when it cannot be had or is larger than a DWORD can count. A fixed block is
// always reachable through GlobalLock and keeps a lock count of 0; a movable block counts its locks. The data
// is 16-byte aligned.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// Null on success, the handle when it is not a block.
HGLOBAL GlobalFree(HGLOBAL block);
LPVOID GlobalLock(HGLOBAL block);
// TRUE while the block stays locked after this unlock.
BOOL GlobalUnlock(HGLOBAL block);
// The bytes asked for at allocation (or the last reallocation); 0 for null.
SIZE_T GlobalSize(HGLOBAL block);
// The block whose data begins at the pointer, or null.
HGLOBAL GlobalHandle(LPCVOID data);
// The lock count in GMEM_LOCKCOUNT, or GMEM_INVALID_HANDLE.
UINT GlobalFlags(HGLOBAL block);
// The block resized, keeping its bytes (the new tail zeroed with GMEM_ZEROINIT), or null with the old
// block untouched. The handle may change. A locked or fixed block moves only when GMEM_MOVEABLE is
// given, because pointers into it are out; without that flag it can only shrink. GMEM_MODIFY with
// GMEM_MOVEABLE turns a fixed block into a movable one and leaves its size alone.
HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags);

struct GlobalBlockFree {
    void operator()(GlobalBlock* block) const { GlobalFree(block); }
};
// Owns a block for code that frees it on every path.
using UniqueGlobal = std::unique_ptr<GlobalBlock, GlobalBlockFree>;

// Holds one lock of a block for a scope.
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL block) : m_block(block), m_data(GlobalLock(block)) {}
    ~CGlobalLock() {
        if (m_data) {
            GlobalUnlock(m_block);
        }
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    // Null when the handle was not a block.
    BYTE* Bytes() const { return static_cast<BYTE*>(m_data); }
    SIZE_T Size() const { return GlobalSize(m_block); }

private:
    HGLOBAL m_block;
    LPVOID m_data;
};
