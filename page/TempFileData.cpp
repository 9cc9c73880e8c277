// Temporary files of picture objects, read and rewritten whole.
#include "page/TempFileData.h"

#include "platform/base/FileApi.h"

#include <algorithm>
#include <memory>

namespace {

// Pieces of large files: small enough to stay in the cache, large enough for few calls.
constexpr DWORD kPieceSize = 1 << 20;

bool Rewind(HANDLE file) {
    return file != INVALID_HANDLE_VALUE &&
           SetFilePointer(file, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

bool Truncate(HANDLE file) {
    return Rewind(file) && SetEndOfFile(file);
}

bool WriteAll(HANDLE file, const BYTE* data, DWORD size) {
    DWORD written = 0;
    return size == 0 || (WriteFile(file, data, size, &written, nullptr) && written == size);
}

} // namespace

std::optional<DWORD> TempFileSize(HANDLE file) {
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE || high != 0)
        return std::nullopt;
    return size;
}

std::optional<std::vector<BYTE>> ReadWholeTempFile(HANDLE file) {
    const std::optional<DWORD> size = TempFileSize(file);
    if (!size)
        return std::nullopt;
    std::vector<BYTE> data;
    data.reserve(*size);
    if (!ReadTempFilePieces(file, *size, [&](const BYTE* piece, DWORD count) {
            data.insert(data.end(), piece, piece + count);
        }))
        return std::nullopt;
    return data;
}

bool ReadTempFilePieces(HANDLE file, DWORD size, const std::function<void(const BYTE*, DWORD)>& use) {
    if (!Rewind(file))
        return false;
    const auto piece = std::make_unique_for_overwrite<BYTE[]>(std::min(size, kPieceSize));
    for (DWORD done = 0; done < size;) {
        const DWORD count = std::min(size - done, kPieceSize);
        DWORD read = 0;
        if (!ReadFile(file, piece.get(), count, &read, nullptr) || read != count)
            return false;
        use(piece.get(), count);
        done += count;
    }
    return true;
}

bool RewriteTempFile(HANDLE file, const BYTE* data, DWORD size) {
    return Truncate(file) && WriteAll(file, data, size);
}

bool RewriteTempFilePieces(HANDLE file, DWORD size, const std::function<bool(BYTE*, DWORD)>& fill) {
    if (!Truncate(file))
        return false;
    const auto piece = std::make_unique_for_overwrite<BYTE[]>(std::min(size, kPieceSize));
    for (DWORD done = 0; done < size;) {
        const DWORD count = std::min(size - done, kPieceSize);
        if (!fill(piece.get(), count) || !WriteAll(file, piece.get(), count))
            return false;
        done += count;
    }
    return true;
}

bool CopyTempFile(HANDLE target, HANDLE source) {
    const std::optional<DWORD> size = TempFileSize(source);
    if (!size || !Truncate(target))
        return false;
    bool written = true;
    return ReadTempFilePieces(source, *size,
                              [&](const BYTE* piece, DWORD count) {
                                  written = written && WriteAll(target, piece, count);
                              }) &&
           written;
}
