#include "image/PictureBmpReader.h"

#include "image/DibValidation.h"
#include "platform/imaging/ImagingFile.h"

namespace {

bool ReadBmpThroughGate(const BYTE* file, std::size_t size, std::vector<BYTE>& dib) {
    const NormalizedDib normalized = NormalizeBmpFileImage({file, size});
    if (!normalized)
        return false;
    dib.assign(normalized.block.get(), normalized.block.get() + normalized.length);
    return true;
}

} // namespace

void InstallPictureBmpReader() {
    SetBmpFileReader(ReadBmpThroughGate);
}
