// Fuzzes the imaging library with hostile packed DIBs and operation parameters.
// Input: 8 bytes of parameters, then the DIB.
#include "platform/imaging/ImagingBitmap.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Target sizes stay small so that each input runs quickly; the size limits have their own tests.
constexpr int kLargestSide = 300;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kParameters = 8;
    if (size < kParameters)
        return 0;
    static constexpr int kDepths[] = {0, 1, 4, 8, 16, 24, 32, 3};
    const int depth = kDepths[data[0] % 8];
    const int operation = data[1] % 4;
    const int a = (data[2] | data[3] << 8) % (2 * kLargestSide) - kLargestSide / 2;
    const int b = (data[4] | data[5] << 8) % (2 * kLargestSide) - kLargestSide / 2;
    const int mode = data[6];
    const int angle = (data[7] - 128) * 300;

    // The DIB in its own aligned storage, as a picture block would be.
    std::vector<BITMAPINFOHEADER> storage((size - kParameters) / sizeof(BITMAPINFOHEADER) + 1);
    std::memcpy(storage.data(), data + kParameters, size - kParameters);

    CImagingBitmap bitmap;
    if (!bitmap.Load(storage.data(), size - kParameters, depth))
        return 0;
    switch (operation) {
    case 0:
        bitmap.Resize(a, b, mode % 6);
        break;
    case 1:
        bitmap.Crop(a, b, mode, kLargestSide - mode);
        break;
    case 2:
        bitmap.Rotate(angle, mode & 1, RGB(mode, a, b));
        break;
    default:
        bitmap.Fill(RGB(a, b, mode));
        break;
    }
    // Whatever happened, the result must read back as a DIB.
    CImagingBitmap reread;
    if (!bitmap.IsEmpty() && !reread.Load(reinterpret_cast<const BITMAPINFOHEADER*>(bitmap.GetDib().data()),
                                          bitmap.GetDib().size(), 0))
        __builtin_trap();
    return 0;
}
