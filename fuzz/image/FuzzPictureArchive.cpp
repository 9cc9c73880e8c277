// The archive form of a picture, loaded from arbitrary bytes through CArchive over a CMemFile: the loader
// may throw the framework's exceptions, and must leave either an empty picture or one in the program's form.

#include "image/DibGeometry.h"
#include "image/PictureInfo.h"
#include "platform/base/Archive.h"
#include "platform/base/MemFile.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<BYTE> bytes(data, data + size);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CPictureInfo picture;
    try {
        CArchive ar(&file, CArchive::load);
        picture.Serialize(ar);
    } catch (CException* e) {
        e->Delete();
    }
    if (picture.IsValid()) {
        const BITMAPINFOHEADER* header = picture.GetHeader();
        if (header->biSize != 40 || DibBitsOffset(header) + header->biSizeImage != picture.GetLength())
            std::abort();
    }
    return 0;
}
