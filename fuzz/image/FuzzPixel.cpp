// The pixel engine on every picture the reader accepts: conversion in every colour mode, rotation, cropping
// and zoomed rendering with settings taken from the input's last bytes. Nothing may read or write outside
// its blocks, and every result must be a DIB whose rows fit its block.

#include "image/Adjust.h"
#include "image/DibConvert.h"
#include "image/DibGeometry.h"
#include "image/DibRotate.h"
#include "image/DibValidation.h"
#include "image/PictureInfo.h"
#include "platform/base/GlobalMemory.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>

namespace {

constexpr std::size_t kSettingBytes = 16;
// Small pictures keep every run fast (a turned long thin picture grows to its diagonal squared); the
// arithmetic does not depend on size.
constexpr int kMaxOutputSide = 64;
constexpr int kMaxInputSide = 96;

void CheckFits(const BYTE* block, std::int64_t length) {
    if (!block)
        return;
    const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(block);
    if (DibBitsOffset(h) + DibImageBytes(h->biWidth, h->biHeight, h->biBitCount) > length)
        std::abort();
    volatile BYTE last = block[length - 1];
    (void)last;
}

void CheckPicture(const CPictureInfo* picture) {
    if (picture)
        CheckFits(reinterpret_cast<const BYTE*>(picture->GetHeader()), picture->GetLength());
    delete picture;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kSettingBytes + sizeof(BITMAPFILEHEADER))
        return 0;
    const BYTE* s = data + size - kSettingBytes;
    NormalizedDib dib = NormalizeBmpFileImage(std::span<const BYTE>(data, size));
    if (!dib)
        return 0;
    CPictureInfo picture;
    picture.Attach(dib.block.release(), dib.length);
    if (picture.GetWidth() > kMaxInputSide || picture.GetHeight() > kMaxInputSide)
        return 0;

    ADJUST settings;
    settings.colourMode = s[0] % 5; // 4 is refused
    settings.sharpen = s[1] & 1;
    settings.mirror = (s[1] >> 1) & 1;
    settings.flip = (s[1] >> 2) & 1;
    settings.sharpness = static_cast<float>(static_cast<signed char>(s[2])) / 100.0f;
    settings.brightness = static_cast<float>(static_cast<signed char>(s[3])) / 100.0f;
    settings.gamma = 0.25f + s[4] / 64.0f;
    settings.saturation = s[5] / 100.0f;
    const int outKind = s[6] % 4;
    const int width = 1 + s[7] % kMaxOutputSide, height = 1 + s[8] % kMaxOutputSide;
    const CRect source(s[9] % 8 - 2, s[10] % 8 - 2, s[9] % 8 + picture.GetWidth(),
                       s[10] % 8 + picture.GetHeight());
    HGLOBAL converted = ConvertDib(picture.GetHeader(), 0, height, source, width, height,
                                   (s[11] & 1) ? &settings : nullptr, s[11] % 4, outKind, 0, 0xFFFFFF);
    if (converted) {
        CGlobalLock lock(converted);
        CheckFits(lock.Bytes(), static_cast<std::int64_t>(lock.Size()));
    }
    GlobalFree(converted);

    const int tenths = (s[12] | s[13] << 8) % 7200 - 3600;
    RotatedDib turned = RotateDib(reinterpret_cast<const BYTE*>(picture.GetHeader()), picture.GetLength(),
                                  tenths, static_cast<RotationFill>(s[14] % 3), RGB(s[2], s[3], s[4]));
    CheckFits(turned.block.get(), turned.length);
    CheckFits(turned.mask.get(), turned.maskLength);

    CheckPicture(picture.Crop24(source));
    const int zoom = static_cast<signed char>(s[15]) * 40;
    CheckPicture(picture.RenderZoomed(CRect(0, 0, width, height), CPoint(s[9] - 128, s[10] - 128), zoom, 0));
    CheckPicture(picture.ScaleTo24Bit(width, height));
    return 0;
}
