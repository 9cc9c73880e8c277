#include "tests/support/ArchiveBytes.h"

#include "platform/base/MemFile.h"

#include <cstdlib>

std::vector<BYTE> StoredBytes(const std::function<void(CArchive&)>& write) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    const auto size = static_cast<std::size_t>(file.GetLength());
    BYTE* data = file.Detach();
    std::vector<BYTE> bytes(data, data + size);
    std::free(data);
    return bytes;
}

void LoadFromBytes(std::vector<BYTE> bytes, const std::function<void(CArchive&)>& read) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

std::vector<BYTE> Joined(std::initializer_list<std::vector<BYTE>> parts) {
    std::vector<BYTE> bytes;
    for (const std::vector<BYTE>& part : parts)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}
