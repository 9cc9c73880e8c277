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
    QTemporaryDir folder;
    const std::string stem = folder.path().toStdString() + "/page";
    const std::string number = std::to_string(page);
    if (RunTool("pdftoppm -gray -singlefile -r " + std::to_string(dpi) + " -f " + number + " -l " + number +
                " " + Quoted(path) + " " + Quoted(stem)) != 0)
        return {};
    std::ifstream file(stem + ".pgm", std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    file >> magic >> width >> height >> maximum;
    file.get();
    if (magic != "P5" || maximum != 255 || width <= 0 || height <= 0)
        return {};
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    file.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    QRect box;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}
