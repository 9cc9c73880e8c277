#pragma once
// The Windows file-handle functions the program calls on raw handles, over POSIX descriptors.
// File handles are descriptors as WinTypes.h encodes them. Failures set the thread's last error
// (LastError.h).

#include "platform/base/LastError.h"
#include "platform/base/WinTypes.h"

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;
using PLONG = LONG*;

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;

// Sharing modes are accepted and not enforced: Linux has no mandatory sharing of open files.
inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD FILE_SHARE_WRITE = 0x2;
inline constexpr DWORD FILE_SHARE_DELETE = 0x4;

inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD TRUNCATE_EXISTING = 5;

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x100;
inline constexpr DWORD FILE_FLAG_WRITE_THROUGH = 0x80000000;
inline constexpr DWORD FILE_FLAG_RANDOM_ACCESS = 0x10000000;
inline constexpr DWORD FILE_FLAG_SEQUENTIAL_SCAN = 0x08000000;
// The name is removed at once; the data lives until the last handle closes.
inline constexpr DWORD FILE_FLAG_DELETE_ON_CLOSE = 0x04000000;

inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;

inline constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
inline constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

HANDLE CreateFile(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                  LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                  DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
// TRUE with 0 bytes read at the end of the file. Overlapped reads and writes are not supported.
BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              LPOVERLAPPED lpOverlapped);
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               LPOVERLAPPED lpOverlapped);
// With lpDistanceToMoveHigh the distance has 64 bits and the high half of the result is written back.
DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod);
// Cuts or extends the file at the current position.
BOOL SetEndOfFile(HANDLE hFile);
DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh);
BOOL FlushFileBuffers(HANDLE hFile);
BOOL CloseHandle(HANDLE hObject);

BOOL DeleteFile(LPCSTR lpFileName);
// Copies contents and permissions; refuses to copy a file onto itself.
BOOL CopyFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists);
// Renames, across file systems too; fails when the new name exists.
BOOL MoveFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName);
DWORD GetFileAttributes(LPCSTR lpFileName);
// Only FILE_ATTRIBUTE_READONLY has a meaning here: set, it takes every write permission away; clear, it
// gives the owner write permission back. Other bits are ignored.
BOOL SetFileAttributes(LPCSTR lpFileName, DWORD dwFileAttributes);

struct stat;
// The attribute bits of a file's status: directory or archive, read-only without owner write
// permission, hidden for names beginning with a dot.
DWORD AttributesFromStatus(const struct stat& status, LPCSTR lpFileName);
