#pragma once
// CArchive: the framework's binary archive over a CFile, byte for byte as files written on Windows.
// Numbers are little-endian. Strings carry a length prefix: a BYTE below 0xFF; else 0xFF and a WORD
// below 0xFFFE; else 0xFF, 0xFFFF and a DWORD. Counts are a WORD below 0xFFFF, else 0xFFFF and a DWORD.
// Objects are written with a tag: WORD 0 for null; for a class not yet written WORD 0xFFFF, the WORD
// schema, the WORD name length and the name; for a class already written WORD 0x8000 | index; for an
// object already written WORD index. Classes and objects share one index map that starts at 1; an index
// above 0x7FFE is written as WORD 0x7FFF followed by a DWORD (with 0x80000000 marking a class).
// Errors throw CArchiveException, or CFileException from the file underneath.

#include "platform/base/ArchiveException.h"
#include "platform/base/File.h"
#include "platform/base/Object.h"
#include "platform/base/String.h"
#include "platform/base/WinStructs.h"

#include <unordered_map>
#include <vector>

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // The archive buffers nBufSize bytes itself; lpBuf is accepted for the framework's signature.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Closes unless bNoFlushOnDelete was given; errors at that point are dropped, so a caller that
    // must know whether the data reached the file calls Close itself.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    // True when a loading archive holds no unread bytes in its buffer.
    BOOL IsBufferEmpty() const { return m_nBufCur == m_nBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being loaded, once: later calls return (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Reads up to nMax bytes; fewer only at the end of the data.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Storing: writes the buffer to the file. Loading: gives the unread bytes back to the file.
    void Flush();
    void Close();
    // Detaches from the file without writing what is buffered.
    void Abort();

    // Text lines: WriteString writes the bytes alone; ReadString reads up to a line feed, drops it and
    // a carriage return before it, and returns FALSE at the end of the data.
    void WriteString(LPCSTR lpsz);
    BOOL ReadString(CString& rString);

    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    void WriteObject(const CObject* pOb);
    // A new object of the stored class, or one loaded before, or null. With pClassRefRequested the
    // object must be of that class. Objects the archive creates belong to the caller.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    // Every object loaded whole so far, in load order, nested ones included: what a loader that gives
    // up halfway has to free (an object whose loading failed is freed already and is not listed).
    std::vector<CObject*> GetLoadedObjects() const;
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);

    // Throws endOfFile unless at least nBytes remain to be read. Loaders call it before allocating room
    // for a length or count read from the data. Data whose size cannot be known passes.
    void EnsureRemaining(ULONGLONG nBytes);

    CArchive& operator<<(BYTE by) { return WriteLittle(by, 1); }
    CArchive& operator<<(WORD w) { return WriteLittle(w, 2); }
    CArchive& operator<<(int i) { return WriteLittle(static_cast<DWORD>(i), 4); }
    CArchive& operator<<(DWORD dw) { return WriteLittle(dw, 4); }
    CArchive& operator<<(short w) { return WriteLittle(static_cast<WORD>(w), 2); }
    CArchive& operator<<(char ch) { return WriteLittle(static_cast<BYTE>(ch), 1); }
    CArchive& operator<<(LONGLONG ll) { return WriteLittle(static_cast<ULONGLONG>(ll), 8); }
    CArchive& operator<<(ULONGLONG ull) { return WriteLittle(ull, 8); }
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    // No widths are guessed: bool has no stored form of its own, and long has 32 bits on the system
    // that wrote the files but 64 here. Callers convert to the stored type.
    CArchive& operator<<(bool) = delete;
    CArchive& operator<<(long) = delete;
    CArchive& operator<<(unsigned long) = delete;

    CArchive& operator>>(BYTE& by) { return by = static_cast<BYTE>(ReadLittle(1)), *this; }
    CArchive& operator>>(WORD& w) { return w = static_cast<WORD>(ReadLittle(2)), *this; }
    CArchive& operator>>(int& i) { return i = static_cast<int>(static_cast<DWORD>(ReadLittle(4))), *this; }
    CArchive& operator>>(DWORD& dw) { return dw = static_cast<DWORD>(ReadLittle(4)), *this; }
    CArchive& operator>>(short& w) { return w = static_cast<short>(static_cast<WORD>(ReadLittle(2))), *this; }
    CArchive& operator>>(char& ch) { return ch = static_cast<char>(static_cast<BYTE>(ReadLittle(1))), *this; }
    CArchive& operator>>(LONGLONG& ll) { return ll = static_cast<LONGLONG>(ReadLittle(8)), *this; }
    CArchive& operator>>(ULONGLONG& ull) { return ull = ReadLittle(8), *this; }
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(bool&) = delete;
    CArchive& operator>>(long&) = delete;
    CArchive& operator>>(unsigned long&) = delete;

    CString m_strFileName;

private:
    struct LoadedEntry {
        CRuntimeClass* pClass = nullptr; // set for a class entry
        CObject* pObject = nullptr;      // set for an object entry
        UINT nSchema = 0;                // the stored schema of a class entry
    };

    CArchive& WriteLittle(ULONGLONG value, int nBytes);
    ULONGLONG ReadLittle(int nBytes);
    void CheckStoring() const;
    void CheckLoading() const;
    void FillBuffer();
    DWORD NextMapIndex();

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buffer;
    size_t m_nBufCur = 0; // next byte to read or the first free byte to write
    size_t m_nBufMax = 0; // end of the bytes read into the buffer
    UINT m_nObjectSchema = static_cast<UINT>(-1);

    std::unordered_map<const void*, DWORD> m_storeMap; // classes and objects written, by address
    std::vector<LoadedEntry> m_loadArray;              // classes and objects read, by index
    DWORD m_nMapCount = 1;
};

// Strings are stored for the Windows program too: as Windows-1252 when every character has a form there
// and the bytes cannot be read back as other UTF-8 text (plain ASCII always), else in the Unicode-marked
// form (0xFF, WORD 0xFFFE, the length in UTF-16 units, UTF-16LE).
CArchive& operator<<(CArchive& ar, const CString& string);
// Reads the Unicode-marked form, and narrow strings as UTF-8 when they are valid UTF-8, else as
// Windows-1252.
CArchive& operator>>(CArchive& ar, CString& string);

inline CArchive& operator<<(CArchive& ar, const CObject* pOb) {
    ar.WriteObject(pOb);
    return ar;
}
inline CArchive& operator>>(CArchive& ar, CObject*& pOb) {
    pOb = ar.ReadObject(nullptr);
    return ar;
}
inline CArchive& operator>>(CArchive& ar, const CObject*& pOb) {
    pOb = ar.ReadObject(nullptr);
    return ar;
}

// Points, sizes and rectangles as their 32-bit fields in order.
CArchive& operator<<(CArchive& ar, const POINT& point);
CArchive& operator>>(CArchive& ar, POINT& point);
CArchive& operator<<(CArchive& ar, const SIZE& size);
CArchive& operator>>(CArchive& ar, SIZE& size);
CArchive& operator<<(CArchive& ar, const RECT& rect);
CArchive& operator>>(CArchive& ar, RECT& rect);
