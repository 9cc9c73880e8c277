// Loads strings, counts, collections and tagged objects of a small class hierarchy from arbitrary bytes,
// then stores what it loaded again. The first two bytes choose the reads (five fields of three bits, used
// in turn); the rest is the archive.

#include "fuzz/platform/base/FuzzClasses.h"
#include "platform/base/Arrays.h"
#include "platform/base/Lists.h"
#include "platform/base/MemFile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr int kMaxReads = 64;

void ReadOne(CArchive& ar, int kind, std::vector<CObject*>& loaded) {
    switch (kind) {
    case 0:
        loaded.push_back(ar.ReadObject(nullptr));
        break;
    case 1:
        loaded.push_back(ar.ReadObject(RUNTIME_CLASS(CFuzzNode)));
        break;
    case 2: {
        CString text;
        ar >> text;
        break;
    }
    case 3:
        ar.ReadCount();
        break;
    case 4: {
        CObList list;
        list.Serialize(ar);
        break;
    }
    case 5: {
        CStringArray strings;
        strings.Serialize(ar);
        break;
    }
    case 6: {
        CDWordArray numbers;
        numbers.Serialize(ar);
        break;
    }
    default: {
        CString line;
        WORD word = 0;
        double number = 0;
        ar.ReadString(line);
        ar >> word >> number;
        break;
    }
    }
}

void StoreAgain(const std::vector<CObject*>& loaded) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    for (CObject* object : loaded) {
        ar << object;
    }
    ar.Close();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const unsigned plan = data[0] | (data[1] << 8);
    std::vector<BYTE> bytes(data + 2, data + size);
    std::vector<CObject*> loaded;
    // Objects of the library's own classes that the input names (lists, arrays) are freed here; the
    // fuzz classes free themselves below.
    std::vector<CObject*> foreign;
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    try {
        for (int i = 0; i < kMaxReads; ++i) {
            ReadOne(ar, static_cast<int>((plan >> (i % 5 * 3)) & 7), loaded);
        }
    } catch (CException* e) {
        e->Delete();
    }
    for (CObject* object : ar.GetLoadedObjects()) {
        if (!LiveFuzzObjects().count(object)) {
            foreign.push_back(object);
        }
    }
    // Objects loaded before a failure are still whole; those the failure hit are gone.
    std::vector<CObject*> alive;
    for (CObject* object : loaded) {
        if (object && LiveFuzzObjects().count(object)) {
            alive.push_back(object);
        }
    }
    try {
        StoreAgain(alive);
    } catch (CException* e) {
        e->Delete();
    }
    DeleteLiveFuzzObjects();
    for (CObject* object : foreign) {
        delete object;
    }
    return 0;
}
