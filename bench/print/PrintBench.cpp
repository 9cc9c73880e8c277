// Printing on the clock.
//   print_bench page DIR   an A4 edit-mode page of four 12-megapixel photos in a 2 x 2 grid, printed at
//                          300 dpi to the built-in PDF printer into DIR/page.pdf; writes the photos as
//                          DIR/photo1.ppm ... for the peer and prints seconds= of the print job alone
//                          (StartDoc to the renamed file)
#include "image/PictureInfo.h"
#include "output/PrintPage.h"
#include "page/DrawImage.h"
#include "page/Template.h"
#include "platform/gdi/Dc.h"
#include "platform/print/PrintJob.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Spooler.h"

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int kPhotoWidth = 4000; // 12 megapixels, 4:3
constexpr int kPhotoHeight = 3000;
// The grid's cells in page units (tenths of a millimetre): 96 x 72 mm, the photos' proportions, so the
// fitted photo fills its cell. In print-picture pixels (0.12 mm) they are 800 x 600 at (50 | 900, 250 |
// 1250).
constexpr int kCellWidth = 960;
constexpr int kCellHeight = 720;
constexpr int kCellLeft[] = {60, 1080};
constexpr int kCellTop[] = {300, 1500};

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A photo-like 24-bit picture: smooth gradients with fine texture, different for each seed.
std::unique_ptr<CPictureInfo> Photo(int seed) {
    const DWORD row = static_cast<DWORD>((kPhotoWidth * 3 + 3) / 4 * 4);
    auto picture = std::make_unique<CPictureInfo>();
    BYTE* block = picture->Allocate(sizeof(BITMAPINFOHEADER) + row * kPhotoHeight);
    const BITMAPINFOHEADER header{
        sizeof(BITMAPINFOHEADER), kPhotoWidth, kPhotoHeight, 1, 24, BI_RGB, row * kPhotoHeight, 0, 0, 0, 0};
    std::memcpy(block, &header, sizeof header);
    BYTE* bits = block + sizeof header;
    unsigned noise = 12345u + static_cast<unsigned>(seed);
    for (int y = 0; y < kPhotoHeight; ++y) {
        BYTE* p = bits + static_cast<size_t>(y) * row;
        for (int x = 0; x < kPhotoWidth; ++x, p += 3) {
            noise = noise * 1103515245u + 12345u;
            const int grain = static_cast<int>((noise >> 16) & 15);
            p[0] = static_cast<BYTE>((x * 255 / kPhotoWidth + seed * 60 + grain) & 0xFF);
            p[1] = static_cast<BYTE>((y * 255 / kPhotoHeight + grain) & 0xFF);
            p[2] = static_cast<BYTE>(((x + y) * 255 / (kPhotoWidth + kPhotoHeight) + seed * 30) & 0xFF);
        }
    }
    return picture;
}

// The picture as a binary PPM (top-down RGB).
bool WritePpm(const CPictureInfo& picture, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    std::fprintf(file, "P6\n%d %d\n255\n", kPhotoWidth, kPhotoHeight);
    const BITMAPINFOHEADER* header = picture.GetHeader();
    const BYTE* bits = reinterpret_cast<const BYTE*>(header) + header->biSize;
    const size_t row = static_cast<size_t>((kPhotoWidth * 3 + 3) / 4 * 4);
    std::string line(static_cast<size_t>(kPhotoWidth) * 3, '\0');
    bool written = true;
    for (int y = kPhotoHeight - 1; y >= 0; --y) {
        const BYTE* p = bits + static_cast<size_t>(y) * row;
        for (int x = 0; x < kPhotoWidth; ++x) {
            line[static_cast<size_t>(x) * 3] = static_cast<char>(p[x * 3 + 2]);
            line[static_cast<size_t>(x) * 3 + 1] = static_cast<char>(p[x * 3 + 1]);
            line[static_cast<size_t>(x) * 3 + 2] = static_cast<char>(p[x * 3]);
        }
        written = written && std::fwrite(line.data(), 1, line.size(), file) == line.size();
    }
    return std::fclose(file) == 0 && written;
}

int PrintPageBench(const std::string& dir) {
    CTemplate page;
    page.SetPageSize(CSize(2100, 2970));
    page.SetOrientation(1);
    int seed = 0;
    for (int top : kCellTop)
        for (int left : kCellLeft) {
            const std::unique_ptr<CPictureInfo> photo = Photo(seed++);
            if (!WritePpm(*photo, dir + "/photo" + std::to_string(seed) + ".ppm"))
                return 1;
            auto* image = new CDrawImage(CRect(left, top, left + kCellWidth, top + kCellHeight));
            image->SetAdjustedDib(photo.get());
            page.InsertObject(image, -1);
        }
    PrintPageSources sources;
    sources.page = &page;
    sources.canvasClient = CSize(700, 990);
    PrintPageOptions options;
    options.editMode = true;
    const std::string output = dir + "/page.pdf";

    const double start = Now();
    HDC dc = CreateDC("", kBuiltInPdfPrinterName, "", nullptr);
    CDC* printer = CDC::FromHandle(dc);
    DOCINFO info;
    info.lpszDocName = "Bench";
    info.lpszOutput = output.c_str();
    const bool printed = dc && printer->StartDoc(&info) > 0 && printer->StartPage() > 0 &&
                         PrintPage(printer, sources, options, nullptr) && printer->EndPage() > 0 &&
                         printer->EndDoc() > 0;
    const double seconds = Now() - start;
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 0;
    DeleteDC(dc);
    if (!printed) {
        std::fprintf(stderr, "the page was not printed\n");
        return 1;
    }
    std::printf("seconds=%.6f dpi=%d\n", seconds, dpi);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "page") == 0)
        return PrintPageBench(argv[2]);
    std::fprintf(stderr, "usage: print_bench page DIR\n");
    return 2;
}
