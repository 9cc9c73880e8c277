#include "image/DibRotate.h"
#include "image/PictureInfo.h"

namespace {

CPictureInfo* TakeBlock(std::unique_ptr<BYTE[]> block, DWORD length) {
    auto* picture = new CPictureInfo;
    picture->Attach(block.release(), length);
    return picture;
}

CPictureInfo* RotateWithMask(const CPictureInfo& source, int tenths, RotationFill fill, CPictureInfo*& mask) {
    delete mask;
    mask = nullptr;
    if (!source.IsValid())
        return nullptr;
    RotatedDib turned =
        RotateDib(reinterpret_cast<const BYTE*>(source.GetHeader()), source.GetLength(), tenths, fill);
    if (!turned)
        return nullptr;
    mask = TakeBlock(std::move(turned.mask), turned.maskLength);
    return TakeBlock(std::move(turned.block), turned.length);
}

} // namespace

CPictureInfo* CPictureInfo::Rotate(int tenths, CPictureInfo*& mask) const {
    return RotateWithMask(*this, tenths, RotationFill::White, mask);
}

CPictureInfo* CPictureInfo::RotateOnBlack(int tenths, CPictureInfo*& mask) const {
    return RotateWithMask(*this, tenths, RotationFill::Black, mask);
}

CPictureInfo* CPictureInfo::RotateWithColour(int tenths, COLORREF fill) const {
    if (!IsValid())
        return nullptr;
    RotatedDib turned = RotateDib(m_dib, GetLength(), tenths, RotationFill::Colour, fill);
    return turned ? TakeBlock(std::move(turned.block), turned.length) : nullptr;
}

CPictureInfo* CPictureInfo::RotateChecked(int tenths, COLORREF fill) const {
    if (!IsValid() || (GetHeader()->biBitCount != 8 && GetHeader()->biBitCount != 24))
        return nullptr;
    return RotateWithColour(tenths, fill);
}

CPictureInfo* CPictureInfo::Rotate24(int tenths, COLORREF fill) const {
    if (!IsValid() || !Is24Bit())
        return nullptr;
    return RotateWithColour(tenths, fill);
}
