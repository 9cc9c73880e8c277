// Writes an rcc stage (module.qrc and its files) for a copy of a language module that lacks some
// bitmaps, with the manifest made anew so that the copy loads:
//     stage_without MODULE STAGE NAME...

#include "platform/base/RccFormat.h"
#include "platform/base/ResourceFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

bool WriteFile(const std::filesystem::path& path, const std::string& contents) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: stage_without MODULE STAGE NAME...\n");
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    const std::vector<BYTE> bytes{std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
    std::map<std::string, std::vector<BYTE>> entries;
    if (!ReadRccEntries(bytes.data(), bytes.size(), entries)) {
        std::fprintf(stderr, "%s is no language module\n", argv[1]);
        return 1;
    }
    entries.erase(kResourceManifestPath);
    for (int i = 3; i < argc; ++i) {
        if (entries.erase(std::string("bitmap/") + argv[i]) == 0) {
            std::fprintf(stderr, "%s has no bitmap %s\n", argv[1], argv[i]);
            return 1;
        }
    }
    const std::filesystem::path stage(argv[2]);
    std::filesystem::remove_all(stage);
    std::string qrc = "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    const auto add = [&](const std::string& path, const std::string& contents) {
        qrc += "<file alias=\"" + path + "\">files/" + path + "</file>\n";
        return WriteFile(stage / "files" / path, contents);
    };
    for (const auto& [path, contents] : entries) {
        if (!add(path, std::string(contents.begin(), contents.end())))
            return 1;
    }
    if (!add(kResourceManifestPath, MakeResourceManifest(entries)))
        return 1;
    qrc += "</qresource>\n</RCC>\n";
    return WriteFile(stage / "module.qrc", qrc) ? 0 : 1;
}
