// Loads any bytes as a "TPL" page template stream. Whatever they hold, loading either succeeds or throws
// the stream's exceptions, leaks nothing, and a loaded template stores again.
#include "page/Template.h"
#include "platform/base/Archive.h"
#include "platform/base/FileException.h"
#include "platform/base/MemFile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<BYTE> bytes(data, data + size);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CTemplate page;
    try {
        CArchive ar(&file, CArchive::load);
        page.Serialize(ar);
    } catch (CArchiveException* e) {
        e->Delete();
        return 0;
    } catch (CFileException* e) {
        e->Delete();
        return 0;
    } catch (const CMyException&) {
        return 0;
    }
    CMemFile out;
    CArchive ar(&out, CArchive::store);
    page.Serialize(ar);
    ar.Close();
    return 0;
}
