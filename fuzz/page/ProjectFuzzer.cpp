// Loads any bytes as a project file. Whatever they hold, loading either succeeds or throws the
// framework's exceptions, leaks nothing, and a loaded project stores again.
#include "page/Project.h"
#include "page/Template.h"
#include "platform/base/Archive.h"
#include "platform/base/Exception.h"
#include "platform/base/MemFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<BYTE> bytes(data, data + size);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CProject project;
    try {
        CArchive ar(&file, CArchive::load);
        project.Serialize(ar);
    } catch (CException* e) {
        e->Delete();
        return 0;
    }
    const std::unique_ptr<CTemplate> page(project.GetTemplate());
    CMemFile out;
    CArchive ar(&out, CArchive::store);
    project.Serialize(ar);
    ar.Close();
    return 0;
}
