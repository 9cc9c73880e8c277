#include "tests/library/zip/ZipTestTools.h"

#include "platform/base/GlobalMemory.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

std::string Quoted(const CString& path) {
    std::string quoted = "'";
    for (const char ch : path.str())
        quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return quoted + "'";
}

std::string ReadBytes(const CString& path) {
    std::ifstream in(path.str(), std::ios::binary | std::ios::ate);
    if (!in)
        throw std::runtime_error("cannot read " + path.str());
    std::string bytes(static_cast<size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

std::vector<CString> FolderNames(const CString& folder) {
    std::vector<CString> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.str()))
        names.push_back(CString(entry.path().filename().string()));
    std::sort(names.begin(), names.end());
    return names;
}

void WriteBytes(const CString& path, std::string_view bytes) {
    std::ofstream out(path.str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.str());
}

UniqueGlobal MakeBlock(std::string_view bytes) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    const CGlobalLock lock(block.get());
    std::copy(bytes.begin(), bytes.end(), lock.Bytes());
    return block;
}

bool AddBytes(CZipArchive& archive, const char* name, std::string_view bytes) {
    const UniqueGlobal block = MakeBlock(bytes);
    return archive.AddNewFileFromMemory(name, block.get(), static_cast<DWORD>(bytes.size()));
}

std::string Extract(CZipArchive& archive, int index) {
    DWORD size = 0;
    const UniqueGlobal block(archive.ExtractToMemory(static_cast<WORD>(index), size));
    if (!block)
        throw std::runtime_error("entry cannot be opened");
    const CGlobalLock lock(block.get());
    return std::string(reinterpret_cast<const char*>(lock.Bytes()), size);
}

std::vector<std::string> EntryNames(const CZipArchive& archive) {
    std::vector<std::string> names;
    CZipEntryHeader header;
    for (int i = 0; i < archive.GetEntryCount(); ++i) {
        archive.GetEntryInfo(static_cast<WORD>(i), header);
        names.push_back(header.GetFileName().str());
    }
    return names;
}

std::string NoiseBytes(size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& ch : bytes) {
        do
            ch = static_cast<char>(generator());
        while (ch == 'P');
    }
    return bytes;
}

std::string TextBytes(size_t size) {
    std::string text;
    for (int i = 0; text.size() < size; ++i)
        text += "<OBJECT href=\"Urlaub(" + std::to_string(i) + ").xml\" title=\"Strand am Abend\"/>\n";
    text.resize(size);
    return text;
}
