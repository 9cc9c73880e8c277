#include "tests/support/PdfProbe.h"

#include "tests/support/RunTool.h"

#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

// One page rendered by pdftoppm, grey (one byte a pixel) or in colour (three); empty bytes on failure.
struct Rendered {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bytes;
};

Rendered RenderPage(const std::string& path, int page, int dpi, bool grey) {
    QTemporaryDir folder;
    const std::string stem = folder.path().toStdString() + "/page";
    const std::string number = std::to_string(page);
    if (RunTool(std::string("pdftoppm ") + (grey ? "-gray " : "") + "-singlefile -r " + std::to_string(dpi) +
                " -f " + number + " -l " + number + " " + Quoted(path) + " " + Quoted(stem)) != 0)
        return {};
    std::ifstream file(stem + (grey ? ".pgm" : ".ppm"), std::ios::binary);
    std::string magic;
    Rendered rendered;
    int maximum = 0;
    file >> magic >> rendered.width >> rendered.height >> maximum;
    file.get();
    if (magic != (grey ? "P5" : "P6") || maximum != 255 || rendered.width <= 0 || rendered.height <= 0)
        return {};
    rendered.bytes.resize(static_cast<size_t>(rendered.width) * static_cast<size_t>(rendered.height) *
                          (grey ? 1u : 3u));
    file.read(reinterpret_cast<char*>(rendered.bytes.data()),
              static_cast<std::streamsize>(rendered.bytes.size()));
    if (!file)
        return {};
    return rendered;
}

} // namespace

std::vector<QSizeF> PdfPageSizes(const std::string& path) {
    std::string output;
    if (RunTool("pdfinfo -f 1 -l 1000 " + Quoted(path) + " 2>/dev/null", &output) != 0)
        return {};
    std::vector<QSizeF> sizes;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        int page = 0;
        double width = 0, height = 0;
        if (std::sscanf(line.c_str(), "Page %d size: %lf x %lf", &page, &width, &height) == 3)
            sizes.emplace_back(width, height);
    }
    return sizes;
}

QRect PdfDarkBox(const std::string& path, int page, int dpi) {
    const Rendered rendered = RenderPage(path, page, dpi, true);
    QRect box;
    for (int y = 0; y < rendered.height; ++y)
        for (int x = 0; x < rendered.width; ++x)
            if (rendered.bytes[static_cast<size_t>(y) * static_cast<size_t>(rendered.width) +
                               static_cast<size_t>(x)] < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

PdfRaster PdfPageRaster(const std::string& path, int page, int dpi) {
    const Rendered rendered = RenderPage(path, page, dpi, false);
    PdfRaster raster;
    if (rendered.bytes.empty())
        return raster;
    raster.width = rendered.width;
    raster.height = rendered.height;
    raster.pixels.resize(rendered.bytes.size() / 3);
    for (size_t index = 0; index < raster.pixels.size(); ++index)
        raster.pixels[index] = static_cast<unsigned>(rendered.bytes[3 * index]) << 16 |
                               static_cast<unsigned>(rendered.bytes[3 * index + 1]) << 8 |
                               rendered.bytes[3 * index + 2];
    return raster;
}
