// The picture's BMP forms against real tools: files that GraphicsMagick and ImageMagick write are read to the
// pixels those tools decode, and files the picture writes are read by them and by Python's parser.

#include "DibFixtures.h"
#include "image/PictureInfo.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

using Grid = std::vector<std::vector<DWORD>>;

// The pixels a tool decodes, as 8-bit RGB, top row first.
Grid Decoded(const std::string& tool, const std::string& path, int width, int height) {
    const std::string raw = ToolOutput(tool + " '" + path + "' -depth 8 rgb:-");
    Grid grid(static_cast<std::size_t>(height), std::vector<DWORD>(static_cast<std::size_t>(width)));
    if (raw.size() != std::size_t(3 * width * height))
        return {};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto* p = reinterpret_cast<const BYTE*>(raw.data()) + 3 * (y * width + x);
            grid[y][x] = DWORD{p[0]} << 16 | DWORD{p[1]} << 8 | p[2];
        }
    return grid;
}

// Header size, compression and height as stored, read by Python: shows that the tool made the variant meant.
std::string StoredHeader(const std::string& path) {
    return ToolOutput(
        "/usr/bin/python3 -c \"import struct,sys; d=open(sys.argv[1],'rb').read(); "
        "size=struct.unpack_from('<I',d,14)[0]; "
        "print(size, 0 if size==12 else struct.unpack_from('<I',d,30)[0], "
        "struct.unpack_from('<H',d,20)[0] if size==12 else struct.unpack_from('<i',d,22)[0], end='')\" '" +
        path + "'");
}

struct ToolCase {
    const char* name;
    std::string command; // writes in.bmp
    const char* decoder;
    std::string header; // size, compression, stored height
};

void PrintTo(const ToolCase& c, std::ostream* os) {
    *os << c.name;
}

const char* kGm = "gm convert";
const char* kIm = "/usr/bin/convert";
// Turns a bottom-up 24-bit BMP into its top-down form: negative height, rows in reverse order.
const std::string kFlipToTopDown =
    " && /usr/bin/python3 -c \"import struct; d=bytearray(open('in.bmp','rb').read()); "
    "off,w,h=struct.unpack_from('<I',d,10)[0],*struct.unpack_from('<ii',d,18); r=(w*3+3)//4*4; "
    "rows=[d[off+i*r:off+(i+1)*r] for i in range(h)]; struct.pack_into('<i',d,22,-h); "
    "d[off:off+r*h]=b''.join(reversed(rows)); open('in.bmp','wb').write(d)\"";

const ToolCase kToolFiles[] = {
    {"GmRle8", "gm convert -size 37x23 gradient:red-blue -colors 64 -compress RLE BMP3:in.bmp", kGm,
     "40 1 23"},
    {"GmCoreHeader4Bit", "gm convert -size 11x5 gradient:red-blue -colors 12 BMP2:in.bmp", kGm, "12 0 5"},
    {"GmV4BitFields32", "gm convert -size 13x6 gradient:orange-navy -type TrueColorMatte BMP:in.bmp", kGm,
     "108 3 6"},
    {"GmTopDown", std::string("gm convert -size 7x9 gradient:lime-purple BMP3:in.bmp") + kFlipToTopDown, kGm,
     "40 0 -9"},
    {"ImV5", "/usr/bin/convert -size 9x7 gradient:yellow-navy BMP:in.bmp", kIm, "124 0 7"},
    {"Im565", "/usr/bin/convert -size 9x7 gradient:yellow-navy -define bmp:subtype=RGB565 BMP:in.bmp", kIm,
     "124 3 7"},
};

class ToolMadeBmpTest : public testing::TestWithParam<ToolCase> {
protected:
    std::string Path(const char* name) const { return std::string(m_folder.Path()) + "/" + name; }
    TempFolder m_folder;
};

TEST_P(ToolMadeBmpTest, ReadsToTheToolsPixelsAndWritesWhatTheToolReadsBack) {
    ASSERT_EQ(0, RunTool("cd '" + std::string(m_folder.Path()) + "' && " + GetParam().command));
    ASSERT_EQ(StoredHeader(Path("in.bmp")), GetParam().header);

    CPictureInfo picture;
    ASSERT_TRUE(picture.ReadBmpFile(Path("in.bmp").c_str()));
    const Grid expected =
        Decoded(GetParam().decoder, Path("in.bmp"), picture.GetWidth(), picture.GetHeight());
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(AllPixels(picture.LoadFile("")), expected);

    ASSERT_TRUE(picture.SaveFile(Path("out.bmp").c_str()));
    EXPECT_EQ(Decoded(kGm, Path("out.bmp"), picture.GetWidth(), picture.GetHeight()), expected);
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolMadeBmpTest, testing::ValuesIn(kToolFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SavedBmpTest, PythonAndGraphicsMagickReadTheHeader) {
    TempFolder folder;
    const std::string path = std::string(folder.Path()) + "/saved.bmp";
    DibSpec layout;
    layout.width = 3;
    layout.height = 2;
    layout.bitCount = 8;
    for (int i = 0; i < 256; ++i)
        layout.table.push_back(RGBQUAD{BYTE(i), BYTE(i), BYTE(255 - i), 0});
    layout.bits = {0, 1, 2, 0, 200, 201, 202, 0};
    const std::vector<BYTE> dib = BuildDib(layout);
    CPictureInfo picture;
    std::memcpy(picture.Allocate(DWORD(dib.size())), dib.data(), dib.size());
    ASSERT_TRUE(picture.SaveFile(path.c_str()));

    const std::string fields = ToolOutput(
        "/usr/bin/python3 -c \"import os,struct,sys; d=open(sys.argv[1],'rb').read(); "
        "t,size,r1,r2,off=struct.unpack_from('<2sIHHI',d,0); h=struct.unpack_from('<IiiHHIIiiII',d,14); "
        "print(t.decode(), size==os.path.getsize(sys.argv[1]), r1, r2, off, *h[:6], end='')\" '" +
        path + "'");
    EXPECT_EQ(fields, "BM True 0 0 1078 40 3 2 1 8 0");
    EXPECT_EQ(ToolOutput("gm identify -format '%m %w %h' '" + path + "'"), "BMP 3 2\n");
    EXPECT_EQ(Decoded(kGm, path, 3, 2), AllPixels(dib.data()));
}

} // namespace
