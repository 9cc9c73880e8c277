// Image lists: pictures cut from a bitmap resource or a strip with a mask colour or bitmap, alpha kept
// only by 32-bit lists, icons, replacing and removing with the overlays following their pictures, probed
// by the pixels Draw leaves on a background.

#include "platform/ui/ImageList.h"

#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/Cursor.h"
#include "tests/platform/ui/CursorFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <cstring>
#include <fstream>

namespace {

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// An 8 x 8 memory context filled with the background, to draw pictures on and read back.
class Canvas {
public:
    Canvas() {
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap.CreateBitmap(8, 8, 1, 24, nullptr);
        m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, 8, 8, kBackground);
    }
    CDC* operator->() { return &m_dc; }
    CDC* Dc() { return &m_dc; }
    COLORREF At(int x, int y) const { return m_dc.GetPixel(x, y); }

private:
    CDC m_dc;
    CBitmap m_bitmap;
};

// Draws one picture at (0, 0) of a fresh canvas and reads the pixel at (x, y).
COLORREF DrawnPixel(CImageList& list, int image, int x, int y, UINT style = ILD_NORMAL) {
    Canvas canvas;
    EXPECT_TRUE(list.Draw(canvas.Dc(), image, CPoint(0, 0), style));
    return canvas.At(x, y);
}

// A 24-bit strip of two 2 x 1 pictures: red white | green blue.
void MakeStrip(CBitmap& strip) {
    const BYTE bits[] = {0, 0, 255, 255, 255, 255, 0, 255, 0, 255, 0, 0};
    ASSERT_TRUE(strip.CreateBitmap(4, 1, 1, 24, bits));
}

class ImageListTest : public UiTest {
protected:
    static void SetUpTestSuite() {
        UiTest::SetUpTestSuite();
        s_module = LoadLibrary(VC_TEST_RESOURCE_MODULE);
    }
    static void TearDownTestSuite() { FreeLibrary(s_module); }
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_NE(s_module, nullptr);
        AfxSetResourceHandle(s_module);
    }
    void TearDown() override {
        AfxSetResourceHandle(nullptr);
        UiTest::TearDown();
    }

    static HMODULE s_module;
};
HMODULE ImageListTest::s_module = nullptr;

// TINY24 is 3 x 2: white, black, grey over red, green, blue.
TEST_F(ImageListTest, ABitmapResourceIsCutIntoPicturesWithItsMaskColourTransparent) {
    struct Case {
        const char* name;
        COLORREF mask;
        COLORREF topLeft;
    };
    const Case cases[] = {
        {"white masked", kWhite, kBackground},
        {"top left colour masked", CLR_DEFAULT, kBackground},
        {"no mask", CLR_NONE, kWhite},
        {"a colour the bitmap lacks", RGB(1, 2, 3), kWhite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CImageList list;
        ASSERT_TRUE(list.Create("TINY24", 1, 0, c.mask));
        EXPECT_EQ(list.GetImageCount(), 3);
        EXPECT_EQ(DrawnPixel(list, 0, 0, 0), c.topLeft);
        EXPECT_EQ(DrawnPixel(list, 0, 0, 1), kRed);
        EXPECT_EQ(DrawnPixel(list, 1, 0, 0), kBlack);
        EXPECT_EQ(DrawnPixel(list, 2, 0, 1), kBlue);
        EXPECT_EQ(DrawnPixel(list, 2, 1, 0), kBackground) << "nothing beyond the picture";
    }
}

TEST_F(ImageListTest, ResourcesThatAreMissingOrNarrowerThanAPictureGiveNoPictures) {
    CImageList missing;
    EXPECT_FALSE(missing.Create("NO_SUCH_BITMAP", 1, 0, CLR_NONE));
    EXPECT_EQ(missing.GetSafeHandle(), nullptr);

    CImageList wide;
    ASSERT_TRUE(wide.Create("TINY24", 2, 0, CLR_NONE));
    EXPECT_EQ(wide.GetImageCount(), 1) << "the odd column is dropped";
    CImageList wider;
    ASSERT_TRUE(wider.Create("TINY24", 4, 0, CLR_NONE));
    EXPECT_EQ(wider.GetImageCount(), 0);
    EXPECT_FALSE(wider.Draw(Canvas().Dc(), 0, CPoint(0, 0), ILD_NORMAL));
}

TEST_F(ImageListTest, MasksApplyOnlyToMaskedLists) {
    CBitmap strip;
    MakeStrip(strip);
    // Rows of a monochrome bitmap are padded to two bytes; the set bit hides the third pixel.
    const BYTE maskBits[] = {0x20, 0};
    CBitmap mask;
    ASSERT_TRUE(mask.CreateBitmap(4, 1, 1, 1, maskBits));
    struct Case {
        const char* name;
        UINT flags;
        bool byBitmap;
        COLORREF secondPixel; // of the first picture
        COLORREF thirdPixel;  // the second picture's first
    };
    const Case cases[] = {
        {"mask bitmap", ILC_COLOR24 | ILC_MASK, true, kWhite, kBackground},
        {"mask colour", ILC_COLOR24 | ILC_MASK, false, kBackground, kGreen},
        {"unmasked list, bitmap", ILC_COLOR24, true, kWhite, kGreen},
        {"unmasked list, colour", ILC_COLOR8, false, kWhite, kGreen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CImageList list;
        ASSERT_TRUE(list.Create(2, 1, c.flags, 2, 2));
        EXPECT_EQ(c.byBitmap ? list.Add(&strip, &mask) : list.Add(&strip, kWhite), 0);
        EXPECT_EQ(c.byBitmap ? list.Add(&strip, &mask) : list.Add(&strip, kWhite), 2)
            << "first of the second";
        EXPECT_EQ(list.GetImageCount(), 4);
        EXPECT_EQ(DrawnPixel(list, 0, 0, 0), kRed);
        EXPECT_EQ(DrawnPixel(list, 0, 1, 0), c.secondPixel);
        EXPECT_EQ(DrawnPixel(list, 1, 0, 0), c.thirdPixel);
        EXPECT_EQ(DrawnPixel(list, 1, 1, 0), kBlue);
    }
}

TEST_F(ImageListTest, OnlyThirtyTwoBitListsKeepABitmapsAlpha) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 3;
    info.bmiHeader.biHeight = -1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CBitmap section;
    ASSERT_TRUE(section.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
    // Blue, green, red, alpha: opaque red, white at alpha 0 (fully transparent), white at half alpha.
    const BYTE pixels[] = {0, 0, 255, 255, 255, 255, 255, 0, 255, 255, 255, 128};
    std::memcpy(bits, pixels, sizeof(pixels));

    CImageList deep;
    ASSERT_TRUE(deep.Create(3, 1, ILC_COLOR32, 1, 1));
    ASSERT_EQ(deep.Add(&section, nullptr), 0);
    EXPECT_EQ(DrawnPixel(deep, 0, 0, 0), kRed);
    EXPECT_EQ(DrawnPixel(deep, 0, 1, 0), kBackground);
    EXPECT_EQ(DrawnPixel(deep, 0, 2, 0), RGB(133, 138, 143)) << "half of white over the background";

    CImageList shallow;
    ASSERT_TRUE(shallow.Create(3, 1, ILC_COLOR24, 1, 1));
    ASSERT_EQ(shallow.Add(&section, nullptr), 0);
    EXPECT_EQ(DrawnPixel(shallow, 0, 1, 0), kWhite);

    // A 32-bit bitmap whose alpha is all 0 was drawn without alpha: opaque.
    for (int alpha : {3, 11})
        static_cast<BYTE*>(bits)[alpha] = 0;
    CImageList unknowing;
    ASSERT_TRUE(unknowing.Create(3, 1, ILC_COLOR32, 1, 1));
    ASSERT_EQ(unknowing.Add(&section, nullptr), 0);
    EXPECT_EQ(DrawnPixel(unknowing, 0, 0, 0), kRed);
    EXPECT_EQ(DrawnPixel(unknowing, 0, 1, 0), kWhite);
}

TEST_F(ImageListTest, ReplacedAndRemovedPicturesTakeTheirOverlaysAlong) {
    CBitmap strip;
    MakeStrip(strip);
    CImageList list;
    ASSERT_TRUE(list.Create(1, 1, ILC_COLOR24 | ILC_MASK, 4, 4));
    ASSERT_EQ(list.Add(&strip, CLR_NONE), 0); // red, white, green, blue
    ASSERT_TRUE(list.SetOverlayImage(3, 1));
    EXPECT_FALSE(list.SetOverlayImage(4, 1));
    EXPECT_FALSE(list.SetOverlayImage(0, 16));
    EXPECT_EQ(DrawnPixel(list, 0, 0, 0, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1)), kBlue);
    EXPECT_EQ(DrawnPixel(list, 0, 0, 0, INDEXTOOVERLAYMASK(2)), kRed) << "overlay 2 is unset";

    ASSERT_TRUE(list.Replace(0, &strip, nullptr)) << "the strip's first picture replaces one";
    EXPECT_FALSE(list.Replace(4, &strip, nullptr));
    ASSERT_TRUE(list.Remove(1));
    EXPECT_EQ(list.GetImageCount(), 3);
    EXPECT_EQ(DrawnPixel(list, 1, 0, 0), kGreen);
    EXPECT_EQ(DrawnPixel(list, 1, 0, 0, INDEXTOOVERLAYMASK(1)), kBlue) << "the overlay moved down";
    ASSERT_TRUE(list.Remove(2));
    EXPECT_FALSE(list.Remove(2));
    ASSERT_EQ(list.Add(&strip, CLR_NONE), 2);
    EXPECT_EQ(DrawnPixel(list, 1, 0, 0, INDEXTOOVERLAYMASK(1)), kGreen) << "its overlay went with it";
    ASSERT_TRUE(list.Remove(-1));
    EXPECT_EQ(list.GetImageCount(), 0);
}

TEST_F(ImageListTest, IconsAreScaledToThePictureSizeWithTheirAlpha) {
    TempFolder folder;
    const CString path = folder.Path() + "/red.csr";
    const std::vector<unsigned char> bytes = CursorFile(2, 0, 0);
    std::ofstream(path.GetString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    HICON icon = LoadCursorFromFile(path);
    ASSERT_NE(icon, nullptr);

    CImageList list;
    ASSERT_TRUE(list.Create(8, 8, ILC_COLOR32 | ILC_MASK, 1, 1));
    EXPECT_EQ(list.Add(icon), 0);
    EXPECT_EQ(DrawnPixel(list, 0, 7, 7), kRed);
    EXPECT_EQ(list.Replace(0, icon), 0);
    EXPECT_EQ(list.Replace(-1, icon), 1) << "-1 adds";
    EXPECT_EQ(list.Replace(5, icon), -1);
    EXPECT_EQ(list.Add(LoadCursor(nullptr, IDC_ARROW)), -1) << "standard shapes have no picture";
    EXPECT_EQ(list.GetImageCount(), 2);
    DestroyCursor(icon);
}

} // namespace
