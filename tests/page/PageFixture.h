#pragma once
// A resource library in a temporary folder with a codec plug-in that reads every picture as BMP, for
// picture objects that load files, stencils and mats.

#include "image/ExtMgr.h"
#include "tests/library/LibraryFixture.h"

#include <memory>
#include <vector>

class CDrawImage;
class CMat;
class CStencil;

class PageFixture : public LibraryFixture {
protected:
    PageFixture() { m_codecs.LoadPlugins(); }

    // A 24-bit BMP at path of width x height, pixels 0xRRGGBB top-down (one value fills it all).
    static void WriteBmp(const CString& path, int width, int height, const std::vector<unsigned>& pixels);
    CString Res(const char* name) const { return m_folder.Path() + "/res/" + name; }
    // A loaded stencil of a 3 x 1 picture whose green bytes are 255, 0 and 128.
    std::unique_ptr<CStencil> GreenStepStencil();
    // A loaded mat named name whose opening is the whole frame (all fractions 0), or with its left
    // fraction 1.
    std::unique_ptr<CMat> OpenMat(const char* name, bool leftFractionOne = false);

    CExtMgr m_codecs{VC_MASK_CODEC_DIR};
};
