// Drives the transfer engine with arbitrary DIB headers, colour tables, rectangles, raster operations,
// stretch modes, mappings and clip regions. The DIB bits are always as long as the header says, as
// callers of StretchDIBits guarantee.

#include "platform/gdi/Dc.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace {

constexpr DWORD kHeaderSizes[] = {12, 40, 52, 108, 124};
constexpr WORD kBitCounts[] = {1, 4, 8, 16, 24, 32, 2, 0};
constexpr int kSurfaceSide = 24;
// Keeps one run fast: no source larger than this many pixels.
constexpr long long kMaxSourcePixels = 1 << 14;

int SmallInt(FuzzedDataProvider& data) {
    return data.ConsumeIntegralInRange(-40, 40);
}

struct Dib {
    std::vector<BYTE> info;
    std::vector<BYTE> bits;
};

bool MakeDib(FuzzedDataProvider& data, Dib& dib) {
    const DWORD headerSize = data.PickValueInArray(kHeaderSizes);
    const WORD bitCount = data.PickValueInArray(kBitCounts);
    int width = data.ConsumeIntegralInRange(-2, 64);
    int height = data.ConsumeIntegralInRange(-64, 64);
    // The core header's sizes are unsigned words: always bottom-up.
    if (headerSize == 12)
        width = std::max(width, 0), height = std::abs(height);
    dib.info.assign(headerSize + 1024 + 12, 0);
    if (headerSize == 12) {
        const BITMAPCOREHEADER core{12, static_cast<WORD>(width), static_cast<WORD>(height), 1, bitCount};
        std::memcpy(dib.info.data(), &core, sizeof core);
    } else {
        const BITMAPINFOHEADER header{headerSize, width,
                                      height,     1,
                                      bitCount,   data.ConsumeIntegralInRange<DWORD>(0, 4),
                                      0,          0,
                                      0,          data.ConsumeIntegralInRange<DWORD>(0, 300),
                                      0};
        std::memcpy(dib.info.data(), &header, sizeof header);
    }
    const std::vector<BYTE> table = data.ConsumeBytes<BYTE>(data.ConsumeIntegralInRange(0, 1024 + 12));
    if (!table.empty())
        std::memcpy(dib.info.data() + headerSize, table.data(), table.size());
    const long long rows = height < 0 ? -static_cast<long long>(height) : height;
    const long long stride = (static_cast<long long>(width > 0 ? width : 0) * bitCount + 31) / 32 * 4;
    if (static_cast<long long>(width) * rows > kMaxSourcePixels)
        return false;
    dib.bits = data.ConsumeBytes<BYTE>(static_cast<size_t>(stride * rows));
    dib.bits.resize(static_cast<size_t>(stride * rows) + 1);
    return true;
}

void ChooseState(FuzzedDataProvider& data, CDC& dc) {
    dc.SetStretchBltMode(data.ConsumeIntegralInRange(0, 5));
    if (data.ConsumeBool()) {
        dc.SetMapMode(data.ConsumeIntegralInRange(MM_TEXT, MM_ANISOTROPIC));
        dc.SetWindowExt(SmallInt(data), SmallInt(data));
        dc.SetViewportExt(SmallInt(data), SmallInt(data));
        dc.SetViewportOrg(SmallInt(data), SmallInt(data));
    }
    if (data.ConsumeBool()) {
        CRgn region;
        switch (data.ConsumeIntegralInRange(0, 2)) {
        case 0:
            region.CreateEllipticRgn(SmallInt(data), SmallInt(data), SmallInt(data), SmallInt(data));
            break;
        case 1:
            region.CreateRoundRectRgn(SmallInt(data), SmallInt(data), SmallInt(data), SmallInt(data),
                                      SmallInt(data), SmallInt(data));
            break;
        default: {
            std::vector<POINT> points(data.ConsumeIntegralInRange(0, 8));
            for (POINT& p : points)
                p = POINT{SmallInt(data), SmallInt(data)};
            region.CreatePolygonRgn(points.data(), static_cast<int>(points.size()),
                                    data.ConsumeIntegralInRange(0, 3));
        }
        }
        dc.SelectClipRgn(&region, data.ConsumeIntegralInRange(0, 6));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    BITMAPINFO surfaceInfo{};
    surfaceInfo.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER),
                                             kSurfaceSide,
                                             data.ConsumeBool() ? kSurfaceSide : -kSurfaceSide,
                                             1,
                                             static_cast<WORD>(data.ConsumeBool() ? 24 : 32),
                                             BI_RGB,
                                             0,
                                             0,
                                             0,
                                             0,
                                             0};
    void* surfaceBits = nullptr;
    CBitmap surface;
    surface.Attach(CreateDIBSection(nullptr, &surfaceInfo, DIB_RGB_COLORS, &surfaceBits, nullptr, 0));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* previous = dc.SelectObject(&surface);
    CBrush brush(data.ConsumeIntegralInRange(-1, 5), data.ConsumeIntegral<COLORREF>());
    CBrush* previousBrush = dc.SelectObject(&brush);
    ChooseState(data, dc);

    Dib dib;
    if (MakeDib(data, dib)) {
        const DWORD rop = static_cast<DWORD>(data.ConsumeIntegral<BYTE>()) << 16;
        StretchDIBits(dc, SmallInt(data), SmallInt(data), SmallInt(data), SmallInt(data), SmallInt(data),
                      SmallInt(data), SmallInt(data), SmallInt(data), dib.bits.data(),
                      reinterpret_cast<const BITMAPINFO*>(dib.info.data()), data.ConsumeIntegralInRange(0, 2),
                      rop);
        SetDIBitsToDevice(dc, SmallInt(data), SmallInt(data), data.ConsumeIntegralInRange(0, 80),
                          data.ConsumeIntegralInRange(0, 80), SmallInt(data), SmallInt(data), 0,
                          data.ConsumeIntegralInRange(0, 64), dib.bits.data(),
                          reinterpret_cast<const BITMAPINFO*>(dib.info.data()), DIB_RGB_COLORS);
    }

    // Within one surface and onto another, with overlap and mirroring.
    CDC other;
    other.CreateCompatibleDC(nullptr);
    CBitmap target;
    target.CreateCompatibleBitmap(&other, kSurfaceSide, kSurfaceSide);
    CBitmap* previousTarget = other.SelectObject(&target);
    ChooseState(data, other);
    const DWORD rop = static_cast<DWORD>(data.ConsumeIntegral<BYTE>()) << 16;
    dc.StretchBlt(SmallInt(data), SmallInt(data), SmallInt(data), SmallInt(data), &dc, SmallInt(data),
                  SmallInt(data), SmallInt(data), SmallInt(data), rop);
    other.StretchBlt(SmallInt(data), SmallInt(data), SmallInt(data), SmallInt(data), &dc, SmallInt(data),
                     SmallInt(data), SmallInt(data), SmallInt(data), rop);
    other.PatBlt(SmallInt(data), SmallInt(data), SmallInt(data), SmallInt(data), rop);

    other.SelectObject(previousTarget);
    dc.SelectObject(previousBrush);
    dc.SelectObject(previous);
    return 0;
}
