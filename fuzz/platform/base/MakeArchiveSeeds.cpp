// Writes a few valid archives for the archive fuzzer's corpus: the folder is the last argument.

#include "fuzz/platform/base/FuzzClasses.h"
#include "platform/base/Arrays.h"
#include "platform/base/Lists.h"
#include "platform/base/MemFile.h"

#include <fstream>
#include <string>
#include <vector>

namespace {

void WriteSeed(const std::string& folder, const std::string& name, WORD plan, void (*write)(CArchive& ar)) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    std::vector<char> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.put(static_cast<char>(LOBYTE(plan)));
    out.put(static_cast<char>(HIBYTE(plan)));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return 1;
    }
    const std::string folder = argv[argc - 1];
    // Each plan is three-bit read kinds, the first in the lowest bits. Plan 0: objects only.
    WriteSeed(folder, "objects", 0, [](CArchive& ar) {
        CFuzzNode first;
        CFuzzLeaf second;
        CFuzzVersioned third;
        first.m_name = "Wurzel";
        first.m_pLink = &second;
        second.m_pLink = &first;
        ar << &first << &second << &third << &first;
    });
    // Plan 0o44 (reads 4, 4, then 0): two object lists, then an object.
    WriteSeed(folder, "lists", 044, [](CArchive& ar) {
        CFuzzNode node;
        CObList list;
        list.AddTail(&node);
        list.AddTail(static_cast<CObject*>(nullptr));
        list.Serialize(ar);
        list.Serialize(ar);
        ar << &node;
    });
    // Plan 0o652 (reads 2, 5, 6): a long string, a string array, a number array.
    WriteSeed(folder, "strings", 0652, [](CArchive& ar) {
        ar << CString(std::string(300, 's'));
        CStringArray strings;
        strings.Add("Grüße");
        strings.Add("");
        strings.Serialize(ar);
        CDWordArray numbers;
        numbers.Add(7);
        numbers.Serialize(ar);
    });
    // Plan 0o737 (reads 7, 3, 7): a text line with numbers, a count, another line.
    WriteSeed(folder, "lines", 0737, [](CArchive& ar) {
        ar.WriteString("eine Zeile\r\n");
        ar << WORD{3} << 2.5;
        ar.WriteCount(0x12345);
        ar.WriteString("noch eine\n");
        ar << WORD{4} << 0.5;
    });
    return 0;
}
