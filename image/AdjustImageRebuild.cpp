// The rebuild: the adjusted picture made from the original and the settings.
#include "image/AdjustEffects.h"
#include "image/AdjustImage.h"
#include "image/DibConvert.h"
#include "image/DibGeometry.h"
#include "image/PictureInfo.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/MessageBeep.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

// The conversion sharpens over a 5 x 5 neighbourhood.
constexpr int kSharpenRadius = 2;
// The conversion's true-colour result where the settings allow it.
constexpr int kOutKindEither = 1;
// The two-colour mode's colours of a single tone adjustment.
constexpr COLORREF kDefaultDark = 0x000000;
constexpr COLORREF kDefaultLight = 0xFFFFFF;

// The whole picture through the conversion with the settings: a new block, or null.
HGLOBAL ConvertWhole(const CPictureInfo& picture, const ADJUST& settings, COLORREF dark, COLORREF light) {
    const int width = picture.GetWidth();
    const int height = picture.GetHeight();
    return ConvertDib(picture.GetHeader(), 0, height, CRect(0, 0, width, height), width, height, &settings,
                      kSharpenRadius, kOutKindEither, dark, light);
}

// A 24-bit picture whose header is the one the conversion writes, so that a conversion that keeps its
// pixels would give back its bytes.
bool IsConversionForm(const CPictureInfo& picture) {
    const BITMAPINFOHEADER& header = *picture.GetHeader();
    const std::int64_t imageBytes = DibImageBytes(header.biWidth, header.biHeight, 24);
    const BITMAPINFOHEADER expected{sizeof(BITMAPINFOHEADER),
                                    header.biWidth,
                                    header.biHeight,
                                    1,
                                    24,
                                    BI_RGB,
                                    static_cast<DWORD>(imageBytes),
                                    0,
                                    0,
                                    0,
                                    0};
    return header.biHeight > 0 && std::memcmp(&header, &expected, sizeof expected) == 0 &&
           picture.GetLength() == sizeof(BITMAPINFOHEADER) + imageBytes;
}

void Release(CPictureInfo*& picture) {
    if (picture)
        picture->Release();
    picture = nullptr;
}

} // namespace

bool CAdjustImage::Rebuild(bool exactRotation) {
    Release(m_adjusted);
    if (m_original)
        ApplyAdjustments(true, exactRotation);
    return m_adjusted != nullptr;
}

bool CAdjustImage::ResetAndRebuild() {
    ResetSettings();
    return Rebuild(true);
}

bool CAdjustImage::ApplyAdjustments(bool convert, bool exactRotation) {
    if (!m_original || static_cast<LONG>(m_original->GetLength()) < 1)
        return false;
    if (!m_original->LoadFile(m_filePath)) {
        MessageBeep(MB_ICONQUESTION);
        return false;
    }
    Release(m_adjusted);
    if (KeepsOriginal(convert)) {
        m_original->AddRef();
        m_adjusted = m_original;
    } else if (!BuildAdjusted(convert)) {
        return false;
    }
    KeepUnrotated();
    if (rotation % 3600 != 0)
        RotateAdjusted(exactRotation ? rotation : rotation / 900 * 900);
    return m_adjusted != nullptr;
}

// True when crop, effects and conversion would give the original's bytes back.
bool CAdjustImage::KeepsOriginal(bool convert) const {
    if (cropOn || effectCount > 0 || !m_original->Is24Bit())
        return false;
    return !convert || (IsConversionForm(*m_original) && ConversionKeepsTrueColour(this, kSharpenRadius));
}

bool CAdjustImage::BuildAdjusted(bool convert) {
    m_adjusted = m_original->ConvertTo24Bit();
    if (!m_adjusted)
        return false;
    if (cropOn && !CropAdjusted())
        return false;
    const int used = std::clamp(effectCount, 0, kEffectSlots);
    for (int i = 0; i < used; ++i)
        ApplyEffect(m_adjusted, effects[i].id, effects[i].value);
    return !convert || ConvertAdjusted();
}

void CAdjustImage::KeepUnrotated() {
    Release(m_unrotated);
    if (m_tempFile == INVALID_HANDLE_VALUE)
        return;
    m_adjusted->AddRef();
    m_unrotated = m_adjusted;
}

bool CAdjustImage::CropAdjusted() {
    const int width = m_adjusted->GetWidth();
    const int height = m_adjusted->GetHeight();
    CRect cut(static_cast<int>(width * cropLeft), static_cast<int>(height * cropTop),
              static_cast<int>(width * cropRight), static_cast<int>(height * cropBottom));
    cut.NormalizeRect();
    CPictureInfo* cropped = cut.Width() > 0 && cut.Height() > 0 ? m_adjusted->Crop24(cut) : nullptr;
    Release(m_adjusted);
    m_adjusted = cropped;
    return m_adjusted != nullptr;
}

bool CAdjustImage::ConvertAdjusted() {
    HGLOBAL converted = ConvertWhole(*m_adjusted, *this, m_darkColour, m_lightColour);
    if (!converted) {
        MessageBeep(MB_ICONQUESTION);
        Release(m_adjusted);
        return false;
    }
    Release(m_adjusted);
    m_adjusted = ReadFileToMemory(converted);
    return m_adjusted != nullptr;
}

void CAdjustImage::RotateAdjusted(int tenths) {
    Release(m_rotatedMask);
    CPictureInfo* rotated = m_adjusted->Rotate(tenths, m_rotatedMask);
    Release(m_adjusted);
    m_adjusted = rotated;
}

bool CAdjustImage::ApplyEffect(CPictureInfo* picture, int id, int value) {
    if (!picture || !picture->IsValid())
        return false;
    if (id >= kAdjustBrightness && id <= kAdjustGamma) {
        CAdjustImage tone(false);
        tone.SetAdjustPercent(id, value);
        const UniqueGlobal converted(ConvertWhole(*picture, tone, kDefaultDark, kDefaultLight));
        if (!converted) {
            MessageBeep(MB_ICONQUESTION);
            return false;
        }
        const CGlobalLock lock(converted.get());
        return lock.Bytes() && ReplaceWithCheckedDib(*picture, lock.Bytes(), lock.Size());
    }
    if (id == kAdjustRedEye)
        return ApplyRedEyeReduction(*picture, *this);
    return ApplyLibraryEffect(*picture, id, value);
}

CPictureInfo* CAdjustImage::ReadFileToMemory(HGLOBAL block) {
    auto picture = std::make_unique<CPictureInfo>();
    if (!block) {
        if (!picture->ReadBmpFile(m_filePath))
            return nullptr;
        return picture.release();
    }
    bool taken = false;
    {
        const CGlobalLock lock(block);
        taken = lock.Bytes() && picture->SetExternalDib(lock.Bytes(), lock.Size());
    }
    GlobalFree(block);
    return taken ? picture.release() : nullptr;
}
