#pragma once
// Helpers of the zip tests: files as byte strings, real tools through the shell, entries in and out.

#include "library/zip/ZipArchive.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/String.h"
#include "tests/support/RunTool.h"

#include <string>
#include <string_view>
#include <vector>

// A path in single quotes for the shell.
std::string Quoted(const CString& path);

std::string ReadBytes(const CString& path);
// The names in a folder, sorted.
std::vector<CString> FolderNames(const CString& folder);
void WriteBytes(const CString& path, std::string_view bytes);

UniqueGlobal MakeBlock(std::string_view bytes);
// Adds an entry from memory; the result of AddNewFileFromMemory.
bool AddBytes(CZipArchive& archive, const char* name, std::string_view bytes);
// The entry's bytes through ExtractToMemory.
std::string Extract(CZipArchive& archive, int index);
std::vector<std::string> EntryNames(const CZipArchive& archive);
// A name list for DeleteFiles, written in place.
struct Names : CStringArray {
    Names(std::initializer_list<const char*> names) {
        for (const char* name : names)
            Add(name);
    }
};

// Bytes that deflate poorly and contain no "PK", seeded so that runs repeat.
std::string NoiseBytes(size_t size, unsigned seed);
// Bytes that deflate well: XML-like text.
std::string TextBytes(size_t size);
