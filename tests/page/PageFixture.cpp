#include "tests/page/PageFixture.h"

#include "library/Mat.h"
#include "library/Stencil.h"
#include "tests/image/DibBuilder.h"

void PageFixture::WriteBmp(const CString& path, int width, int height, const std::vector<unsigned>& pixels) {
    DibBuilder dib(width, height, 24);
    dib.Pixels(pixels.size() == 1 ? std::vector<unsigned>(static_cast<size_t>(width * height), pixels[0])
                                  : pixels);
    const std::unique_ptr<CPictureInfo> picture(PictureOf(dib));
    WriteFile(path, ""); // makes the folders
    ASSERT_TRUE(picture->WriteBmpFile(path));
}

std::unique_ptr<CStencil> PageFixture::GreenStepStencil() {
    WriteBmp(Res("stufen.bmp"), 3, 1, {0x00FF00, 0x000000, 0x008000});
    auto stencil = std::make_unique<CStencil>();
    stencil->SetFilePath(Res("stufen.bmp"));
    stencil->LoadData();
    return stencil;
}

std::unique_ptr<CMat> PageFixture::OpenMat(const char* name, bool leftFractionOne) {
    WriteBmp(Res("rahmen.bmp"), 4, 4, {0xFFFFFF}); // white and a black mask: the mat leaves the page as it is
    WriteBmp(Res("rahmen.msk"), 4, 4, {0x000000});
    // left = c / (a + 2), top = (d - 1) / (b + 2), right = 1 - (e + 2) / a, bottom = 1 - (f + 2) / b.
    WriteFile(Res("rahmen.frm"),
              std::string(leftFractionOne ? "100\n100\n102\n1\n98\n98\n" : "100\n100\n0\n1\n98\n98\n") +
                  name + "\n");
    auto mat = std::make_unique<CMat>();
    mat->SetFilePath(Res("rahmen.bmp"));
    mat->LoadData();
    return mat;
}
