// Timings of the zip component for bench/zip.py. Each command times only its own work and prints
// "seconds=S" (and "written=B" where it writes): reading the input files and starting the process do not
// count.
//   zip_bench build FOLDER MANIFEST ARCHIVE   new archive from the files named in MANIFEST, from memory
//   zip_bench extract ARCHIVE                every entry into memory
//   zip_bench add BASE ARCHIVE FILE          copies BASE to ARCHIVE (untimed), then adds FILE and closes
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "library/zip/ZipArchive.h"
#include "platform/base/GlobalMemory.h"

namespace {

struct Entry {
    std::string name;
    HGLOBAL block;
    DWORD size;
};

HGLOBAL ReadFileToBlock(const std::string& path, DWORD& size) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    size = static_cast<DWORD>(bytes.size());
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(block)));
    GlobalUnlock(block);
    return block;
}

// Bytes this process caused to be written to storage (counted when they reach the device layer).
long long BytesWritten() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "write_bytes:")
            return value;
    }
    return -1;
}

template <typename Work>
double Seconds(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int Build(const std::string& folder, const std::string& manifest, const std::string& path) {
    std::vector<Entry> entries;
    std::ifstream names(manifest);
    for (std::string name; std::getline(names, name);) {
        Entry entry{name, nullptr, 0};
        entry.block = ReadFileToBlock(folder + "/" + name, entry.size);
        entries.push_back(entry);
    }
    std::filesystem::remove(path);
    bool ok = true;
    const double seconds = Seconds([&] {
        CZipArchive archive;
        ok = archive.Open(path.c_str(), CZipArchive::zipCreate);
        for (const Entry& entry : entries)
            ok = ok && archive.AddNewFileFromMemory(entry.name.c_str(), entry.block, entry.size);
        archive.Close();
    });
    for (const Entry& entry : entries)
        GlobalFree(entry.block);
    std::printf("seconds=%.6f\n", seconds);
    return ok ? 0 : 1;
}

int Extract(const std::string& path) {
    unsigned long long total = 0;
    const double seconds = Seconds([&] {
        CZipArchive archive;
        archive.Open(path.c_str(), CZipArchive::zipOpenReadOnly);
        for (int i = 0; i < archive.GetEntryCount(); ++i) {
            DWORD size = 0;
            GlobalFree(archive.ExtractToMemory(static_cast<WORD>(i), size));
            total += size;
        }
        archive.Close();
    });
    std::printf("seconds=%.6f bytes=%llu\n", seconds, total);
    return total > 0 ? 0 : 1;
}

int Add(const std::string& base, const std::string& path, const std::string& file) {
    std::filesystem::copy_file(base, path, std::filesystem::copy_options::overwrite_existing);
    DWORD size = 0;
    HGLOBAL block = ReadFileToBlock(file, size);
    const std::string name = std::filesystem::path(file).filename().string();
    bool ok = false;
    const long long before = BytesWritten();
    const double seconds = Seconds([&] {
        CZipArchive archive;
        ok = archive.Open(path.c_str()) && archive.AddNewFileFromMemory(name.c_str(), block, size);
        archive.Close();
    });
    const long long written = BytesWritten() - before;
    GlobalFree(block);
    std::printf("seconds=%.6f written=%lld\n", seconds, written);
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 4 && args[0] == "build")
            return Build(args[1], args[2], args[3]);
        if (args.size() == 2 && args[0] == "extract")
            return Extract(args[1]);
        if (args.size() == 4 && args[0] == "add")
            return Add(args[1], args[2], args[3]);
    } catch (CException* e) {
        char message[512];
        e->GetErrorMessage(message, sizeof message);
        std::fprintf(stderr, "%s\n", message);
        e->Delete();
        return 1;
    }
    std::fprintf(stderr, "usage: zip_bench build FOLDER MANIFEST ARCHIVE | extract ARCHIVE | add BASE ARCHIVE FILE\n");
    return 2;
}
