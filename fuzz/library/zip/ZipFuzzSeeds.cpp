// Writes seed archives for the zip fuzzer into the folder given: stored, deflated, with a comment, with
// leading data, empty.
#include "library/zip/ZipArchive.h"
#include "platform/base/GlobalMemory.h"

#include <string>

namespace {

void Add(CZipArchive& archive, const char* name, const std::string& bytes, int level = -1) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(block)));
    GlobalUnlock(block);
    archive.AddNewFileFromMemory(name, block, static_cast<DWORD>(bytes.size()), level);
    GlobalFree(block);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::string folder = argv[1];
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "<OBJECT href=\"Bild(" + std::to_string(i) + ").xml\"/>\n";

    CZipArchive archive;
    archive.Open((folder + "/album.zip").c_str(), CZipArchive::zipCreate);
    Add(archive, "index.xml", text);
    Add(archive, "Grüße(0).thumb.bmp", std::string(300, 'B'), 0);
    Add(archive, "Preis €.xml", "x");
    archive.SetGlobalComment("Kommentar");
    archive.Close();

    archive.Open((folder + "/empty.zip").c_str(), CZipArchive::zipCreate);
    archive.Close();

    CZipEntryHeader stored;
    stored.SetFileName("stored.txt");
    stored.m_method = CZipEntryHeader::kMethodStored;
    archive.Open((folder + "/stored.zip").c_str(), CZipArchive::zipCreate);
    archive.BeginNewEntry(stored);
    archive.WriteNewEntry("gespeichert", 11);
    archive.FinishNewEntry();
    archive.Close();
    return 0;
}
