#pragma once
// The archive form of adjustment settings, shared by the settings fuzzer and the writer of its seeds:
// the version tags the fuzzer's first byte picks from, and the settings stored under one of them.

#include "image/AdjustImage.h"
#include "platform/base/Archive.h"
#include "platform/base/MemFile.h"

#include <cstdlib>
#include <iterator>
#include <vector>

inline constexpr const char* kSettingsTags[] = {"4.1.b", "4.1.a", "3.0.a", "2.0.2", "1.0.a"};

inline std::vector<BYTE> StoreSettings(CAdjustImage& adjust, const char* tag) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        adjust.SerializeSettings(ar, tag);
        ar.Close();
    }
    const auto length = static_cast<size_t>(file.GetLength());
    BYTE* block = file.Detach();
    std::vector<BYTE> bytes(block, block + length);
    std::free(block);
    return bytes;
}
