// Times one transfer of the drawing layer on a synthetic picture made in memory and prints the seconds
// it took:
//   gdi_bench stretch SW SH DW DH   StretchDIBits (COLORONCOLOR, SRCCOPY) of an SW x SH picture into a
//                                   DW x DH section
//   gdi_bench mask SW SH DW DH      the transparent-picture pair: mask with SRCPAINT, picture with SRCAND
//   gdi_bench copy                  StretchDIBits 1:1 of 6000 x 4000 into a section of that size
//   gdi_bench memcpy                a plain memcpy of the same pixel bytes
// Making the picture and the section is not timed.
#include "platform/gdi/Dc.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

int Stride(int width) {
    return (width * 3 + 3) / 4 * 4;
}

// A bottom-up 24-bit DIB with smooth gradients and some noise, like a photo.
std::vector<BYTE> MakePicture(int width, int height) {
    const size_t stride = Stride(width);
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + stride * height);
    const BITMAPINFOHEADER header = Dib24Header(width, height);
    std::memcpy(dib.data(), &header, sizeof header);
    unsigned noise = 12345;
    for (int y = 0; y < height; ++y) {
        BYTE* row = dib.data() + sizeof header + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245 + 12345;
            row[3 * x] = static_cast<BYTE>((x * 255 / width + (noise >> 28)) & 0xFF);
            row[3 * x + 1] = static_cast<BYTE>((y * 255 / height + (noise >> 24)) & 0xFF);
            row[3 * x + 2] = static_cast<BYTE>(((x + y) * 127 / height) & 0xFF);
        }
    }
    return dib;
}

const BITMAPINFO* Info(const std::vector<BYTE>& dib) {
    return reinterpret_cast<const BITMAPINFO*>(dib.data());
}
const BYTE* Bits(const std::vector<BYTE>& dib) {
    return dib.data() + sizeof(BITMAPINFOHEADER);
}

struct Section {
    Section(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader =
            BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* pixels = nullptr;
        bitmap.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
        bits = static_cast<BYTE*>(pixels);
        dc.CreateCompatibleDC(nullptr);
        previous = dc.SelectObject(&bitmap);
        dc.SetStretchBltMode(COLORONCOLOR);
    }
    ~Section() { dc.SelectObject(previous); }
    CDC dc;
    CBitmap bitmap;
    CBitmap* previous = nullptr;
    BYTE* bits = nullptr;
};

template <typename Work>
double Seconds(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int Usage() {
    std::fprintf(stderr, "usage: gdi_bench stretch|mask SW SH DW DH | copy | memcpy\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    const std::string what = argv[1];
    double seconds = 0;
    if ((what == "stretch" || what == "mask") && argc == 6) {
        const int sourceWidth = std::atoi(argv[2]), sourceHeight = std::atoi(argv[3]);
        const int width = std::atoi(argv[4]), height = std::atoi(argv[5]);
        const std::vector<BYTE> picture = MakePicture(sourceWidth, sourceHeight);
        Section target(width, height);
        const auto draw = [&](DWORD rop) {
            StretchDIBits(target.dc, 0, 0, width, height, 0, 0, sourceWidth, sourceHeight, Bits(picture),
                          Info(picture), DIB_RGB_COLORS, rop);
        };
        seconds = Seconds([&] {
            if (what == "mask") {
                draw(SRCPAINT);
                draw(SRCAND);
            } else {
                draw(SRCCOPY);
            }
        });
    } else if (what == "copy") {
        const std::vector<BYTE> picture = MakePicture(kWidth, kHeight);
        Section target(kWidth, kHeight);
        seconds = Seconds([&] {
            StretchDIBits(target.dc, 0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, Bits(picture),
                          Info(picture), DIB_RGB_COLORS, SRCCOPY);
        });
    } else if (what == "memcpy") {
        const std::vector<BYTE> picture = MakePicture(kWidth, kHeight);
        std::vector<BYTE> target(picture.size());
        seconds = Seconds([&] { std::memcpy(target.data(), picture.data(), picture.size()); });
        std::fprintf(stderr, "%d\n", target[target.size() / 2]);
    } else {
        return Usage();
    }
    std::printf("%.6f\n", seconds);
    return 0;
}
