// The GIF reader and writer against real tools: files made by ImageMagick and gifsicle read to the pixels
// giflib's gif2rgb gives, and files we write read back by gif2rgb, ImageMagick and gifsicle.

#include "image/ImageGIF.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

constexpr DWORD kTransparent = 0xFFFFFFFF;

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Colours 0xRRGGBB, top row first; pixels of the transparent index as kTransparent.
std::vector<DWORD> OurPixels(const CImageGIF& image) {
    std::vector<DWORD> pixels;
    for (int y = image.GetHeight() - 1; y >= 0; --y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            BYTE red = 0, green = 0, blue = 0;
            if (image.GetPixelIndex(x, y) == image.GetTransparentIndex())
                pixels.push_back(kTransparent);
            else if (image.GetPixelColor(x, y, red, green, blue))
                pixels.push_back(DWORD{red} << 16 | DWORD{green} << 8 | blue);
            else
                pixels.push_back(0xBAD);
        }
    return pixels;
}

// giflib's reading of the file's only image (it draws every image onto one screen).
std::vector<DWORD> Gif2RgbPixels(const std::string& path) {
    const std::string rgb = path + ".rgb";
    if (RunTool("gif2rgb -1 -o '" + rgb + "' '" + path + "' 2>/dev/null") != 0)
        return {};
    const std::string bytes = FileBytes(rgb);
    std::vector<DWORD> pixels;
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3)
        pixels.push_back(DWORD{BYTE(bytes[i])} << 16 | DWORD{BYTE(bytes[i + 1])} << 8 | BYTE(bytes[i + 2]));
    return pixels;
}

// ImageMagick's reading of the first image.
std::vector<DWORD> ImageMagickPixels(const std::string& path) {
    std::string bytes;
    if (RunTool("/usr/bin/convert '" + path + "[0]' -depth 8 rgb:- 2>/dev/null", &bytes) != 0)
        return {};
    std::vector<DWORD> pixels;
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3)
        pixels.push_back(DWORD{BYTE(bytes[i])} << 16 | DWORD{BYTE(bytes[i + 1])} << 8 | BYTE(bytes[i + 2]));
    return pixels;
}

// Where a transparent pixel is, the other side's colour counts as the same.
void ExpectSamePixels(std::vector<DWORD> ours, const std::vector<DWORD>& theirs) {
    ASSERT_EQ(ours.size(), theirs.size());
    for (std::size_t i = 0; i < ours.size(); ++i)
        if (ours[i] == kTransparent)
            ours[i] = theirs[i];
    EXPECT_EQ(ours, theirs);
}

// The file without its first image, so that the second (with its local colour table) comes first.
std::string DropFirstImage(const std::string& file) {
    std::size_t at = 13;
    if (BYTE(file[10]) & 0x80)
        at += 3u << ((file[10] & 7) + 1);
    const std::size_t firstBlock = at;
    auto skipSubBlocks = [&] {
        while (file[at] != 0)
            at += 1 + BYTE(file[at]);
        ++at;
    };
    while (file[at] == 0x21) {
        at += 2;
        skipSubBlocks();
    }
    const BYTE flags = BYTE(file[at + 9]);
    at += 10;
    if (flags & 0x80)
        at += 3u << ((flags & 7) + 1);
    ++at;
    skipSubBlocks();
    return file.substr(0, firstBlock) + file.substr(at);
}

class GifInteropTest : public testing::Test {
protected:
    std::string Path(const std::string& name) const { return m_folder.Path().str() + "/" + name; }

    static void ReadOurs(const std::string& path, CImageGIF& image) {
        EXPECT_TRUE(image.Read(path.c_str())) << path;
    }

    TempFolder m_folder;
};

struct ToolCase {
    const char* name;
    std::string command; // makes the file at %s, a GIF of one image unless firstOf says otherwise
    bool twoImages = false;
    bool dropFirst = false;
};

TEST_F(GifInteropTest, FilesOfRealToolsReadToGiflibsPixels) {
    const std::vector<ToolCase> cases{
        {"imagemagick", "/usr/bin/convert -size 37x23 gradient:'#ff8000'-'#0040c0' -colors 64 %s"},
        {"interlaced", "/usr/bin/convert -size 41x19 gradient:red-blue -interlace GIF %s"},
        {"transparent",
         "/usr/bin/convert -size 19x13 gradient:'#ff8000'-'#0040c0' -alpha set -channel A -fx 'i<8 ? 0 : 1' "
         "+channel -colors 16 %s"},
        {"one-by-one", "/usr/bin/convert -size 1x1 xc:'#123456' %s"},
        {"257-by-3", "/usr/bin/convert -size 3x257 gradient:red-lime -rotate 90 %s"},
        {"gifsicle",
         "/usr/bin/convert -size 29x31 gradient:yellow-navy ppm:- | /usr/bin/convert ppm:- gif:- | "
         "gifsicle -O2 --colors 32 > %s"},
        {"gifsicle-interlaced",
         "/usr/bin/convert -size 29x31 plasma:fractal -seed 7 gif:- | gifsicle -i > %s"},
        {"two-images", "/usr/bin/convert -size 23x17 gradient:red-blue -size 23x17 gradient:lime-yellow %s",
         true},
        {"local-table", "/usr/bin/convert -size 3x200 gradient:red-blue -size 3x200 gradient:lime-yellow %s",
         true, true},
    };
    for (const ToolCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = Path(std::string(c.name) + ".gif");
        std::string command = c.command;
        command.replace(command.find("%s"), 2, "'" + path + "'");
        ASSERT_EQ(RunTool(command), 0) << command;
        if (c.dropFirst) {
            const std::string second = Path(std::string(c.name) + "-second.gif");
            std::ofstream(second, std::ios::binary) << DropFirstImage(FileBytes(path));
            path = second;
        }
        // giflib composes every image onto one screen: it sees the first image alone.
        std::string reference = path;
        if (c.twoImages && !c.dropFirst) {
            reference = path + "-first.gif";
            ASSERT_EQ(RunTool("gifsicle '" + path + "' '#0' > '" + reference + "'"), 0);
        }
        CImageGIF image;
        ReadOurs(path, image);
        ExpectSamePixels(OurPixels(image), Gif2RgbPixels(reference));
    }
}

TEST_F(GifInteropTest, OurFilesReadBackInRealTools) {
    struct Size {
        int width, height;
    };
    for (const Size size : {Size{1, 1}, Size{257, 3}, Size{200, 150}}) {
        SCOPED_TRACE(size.width);
        CImageGIF image;
        ASSERT_TRUE(image.Create(size.width, size.height, 8, -1));
        BYTE red[256], green[256], blue[256];
        for (int i = 0; i < 256; ++i) {
            red[i] = BYTE(i);
            green[i] = BYTE(255 - i);
            blue[i] = BYTE(i * 37);
        }
        ASSERT_TRUE(image.SetPalette(256, red, green, blue));
        unsigned seed = 99;
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x) {
                seed = seed * 1103515245u + 12345u;
                // Runs and noise, so that the coder meets long strings and full tables.
                image.SetPixelIndex(x, y, x % 16 < 8 ? (y * 3) % 256 : int(seed >> 16) % 256);
            }
        const std::string path = Path("ours-" + std::to_string(size.width) + ".gif");
        ASSERT_TRUE(image.Write(path.c_str()));
        const std::vector<DWORD> ours = OurPixels(image);
        EXPECT_EQ(Gif2RgbPixels(path), ours);
        EXPECT_EQ(ImageMagickPixels(path), ours);
        std::string info;
        ASSERT_EQ(RunTool("gifsicle --info '" + path + "'", &info), 0);
        EXPECT_NE(info.find("+ image #0 " + std::to_string(size.width) + "x" + std::to_string(size.height)),
                  std::string::npos)
            << info;

        // ImageMagick's own GIF of the same pixels shows no difference.
        const std::string theirs = Path("theirs-" + std::to_string(size.width) + ".gif");
        ASSERT_EQ(RunTool("/usr/bin/convert '" + path + "' '" + theirs + "'"), 0);
        std::string differences;
        EXPECT_EQ(RunTool("gifdiff '" + path + "' '" + theirs + "'", &differences), 0) << differences;
    }
}

TEST_F(GifInteropTest, TransparencyWeWriteIsSeenByGifsicle) {
    CImageGIF image;
    ASSERT_TRUE(image.Create(4, 2, 8, -1));
    const BYTE levels[] = {0, 80, 160, 240};
    ASSERT_TRUE(image.SetPalette(4, levels));
    image.SetPixelIndex(1, 1, 2);
    image.SetWriteTransparentIndex(2);
    const std::string path = Path("transparent.gif");
    ASSERT_TRUE(image.Write(path.c_str()));
    std::string info;
    ASSERT_EQ(RunTool("gifsicle --info '" + path + "'", &info), 0);
    EXPECT_NE(info.find("transparent 2"), std::string::npos) << info;
    CImageGIF back;
    ReadOurs(path, back);
    EXPECT_EQ(back.GetTransparentIndex(), 2);
}

} // namespace
