#pragma once
// Small files for file tests, made in a TempFolder.

#include "tests/support/TempFolder.h"

#include <fstream>
#include <iterator>
#include <string>

inline std::string InFolder(const TempFolder& folder, const std::string& name) {
    return folder.Path().str() + "/" + name;
}

inline std::string WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
