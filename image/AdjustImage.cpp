#include "image/AdjustImage.h"

#include "image/PictureInfo.h"
#include "platform/base/FileApi.h"
#include "platform/base/TempFile.h"

#include <utility>

namespace {

// Prefix of the temporary files that keep unrotated results.
constexpr char kTempFilePrefix[] = "~qk";

void ReleasePicture(CPictureInfo*& picture) {
    if (picture)
        picture->Release();
    picture = nullptr;
}

// The new reference first: the picture may be the one held now.
void Share(CPictureInfo*& held, CPictureInfo* picture) {
    if (picture)
        picture->AddRef();
    ReleasePicture(held);
    held = picture;
}

CPictureInfo* CloneOrNull(const CPictureInfo* picture) {
    return picture ? picture->Clone() : nullptr;
}

} // namespace

CAdjustImage::CAdjustImage(bool useTempFile) {
    if (useTempFile)
        m_tempFile = CreateDeleteOnCloseTempFile(kTempFilePrefix);
}

CAdjustImage::~CAdjustImage() {
    ReleasePicture(m_original);
    ReleasePicture(m_adjusted);
    ReleasePicture(m_rotatedMask);
    ReleasePicture(m_unrotated);
    if (m_tempFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_tempFile);
}

HANDLE CAdjustImage::GetTempFile() const {
    if (m_unrotated) {
        m_unrotated->SaveToHandle(m_tempFile);
        ReleasePicture(m_unrotated);
    }
    return m_tempFile;
}

void CAdjustImage::CopyFrom(const CAdjustImage* src) {
    if (!src || src == this)
        return;
    static_cast<ADJUST&>(*this) = *src;
    m_darkColour = src->m_darkColour;
    m_lightColour = src->m_lightColour;
    m_filePath = src->m_filePath;
}

CAdjustImage* CAdjustImage::Clone() const {
    auto* copy = new CAdjustImage(false);
    copy->CopyFrom(this);
    return copy;
}

void CAdjustImage::SetOriginalDib(CPictureInfo* picture) {
    Share(m_original, picture);
}

bool CAdjustImage::CopyPicturesFrom(const CAdjustImage& source) {
    if (&source == this)
        return true;
    SetOriginalDib(source.m_original);
    if (source.m_adjusted && source.m_adjusted == source.m_original)
        Share(m_adjusted, m_original);
    else
        SetAdjustedDib(source.m_adjusted);
    SetRotatedDib(source.m_rotatedMask);
    if (!source.m_unrotated)
        return false;
    if (m_tempFile != INVALID_HANDLE_VALUE)
        Share(m_unrotated, source.m_unrotated);
    return true;
}

void CAdjustImage::SetAdjustedDib(const CPictureInfo* picture) {
    CPictureInfo* copy = CloneOrNull(picture);
    ReleasePicture(m_adjusted);
    m_adjusted = copy;
}

void CAdjustImage::SetRotatedDib(const CPictureInfo* picture) {
    CPictureInfo* copy = CloneOrNull(picture);
    ReleasePicture(m_rotatedMask);
    m_rotatedMask = copy;
}

void CAdjustImage::FreeOriginalDib() {
    ReleasePicture(m_original);
}

void CAdjustImage::FreeAdjustedDib() {
    ReleasePicture(m_adjusted);
}

void CAdjustImage::FreeRotatedDib() {
    ReleasePicture(m_rotatedMask);
}

void CAdjustImage::SwapDibs(CAdjustImage& other) {
    std::swap(m_original, other.m_original);
    std::swap(m_adjusted, other.m_adjusted);
    std::swap(m_rotatedMask, other.m_rotatedMask);
}

void CAdjustImage::SetRotation(int tenths) {
    if (tenths == rotation)
        return;
    rotation = (tenths % 3600 + 3600) % 3600;
    auto* unrotated = new CPictureInfo;
    if (!unrotated->ReadFromHandle(GetTempFile())) {
        // Nothing kept to turn (no temporary file, or no rebuild yet): no adjusted picture.
        delete unrotated;
        ReleasePicture(m_adjusted);
        return;
    }
    ReleasePicture(m_adjusted);
    m_adjusted = unrotated;
    if (rotation % 3600 != 0)
        RotateAdjusted(rotation);
}
