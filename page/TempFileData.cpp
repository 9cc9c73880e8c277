// Temporary files of picture objects, read and rewritten whole.
#include "page/TempFileData.h"

#include "platform/base/FileApi.h"

std::optional<std::vector<BYTE>> ReadWholeTempFile(HANDLE file) {
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE || high != 0)
        return std::nullopt;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return std::nullopt;
    std::vector<BYTE> data(size);
    DWORD read = 0;
    if (size > 0 && (!ReadFile(file, data.data(), size, &read, nullptr) || read != size))
        return std::nullopt;
    return data;
}

bool RewriteTempFile(HANDLE file, const BYTE* data, DWORD size) {
    if (file == INVALID_HANDLE_VALUE)
        return false;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER || !SetEndOfFile(file))
        return false;
    DWORD written = 0;
    return size == 0 || (WriteFile(file, data, size, &written, nullptr) && written == size);
}

bool CopyTempFile(HANDLE target, HANDLE source) {
    const auto data = ReadWholeTempFile(source);
    return data && RewriteTempFile(target, data->data(), static_cast<DWORD>(data->size()));
}
