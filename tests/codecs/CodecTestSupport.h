#pragma once
// What the codec plug-in tests share: the build's three plug-ins loaded once through a manager of their
// own, pictures made from colour functions, their pixels, and real tools run at test time.

#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "tests/support/RunTool.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Colours are 0xRRGGBB; rows are listed top row first.
using PixelGrid = std::vector<std::vector<DWORD>>;

// codecfpx, codecmain and codectiff from the program folder, in a plugins folder that holds only them, so
// plug-ins added to the program later do not change what these tests see. Loaded on first use.
CExtMgr& Codecs();
// A folder for the test program's files, removed at exit.
const CString& CodecScratchFolder();
// A path in it, unique for the test program.
std::string ScratchPath(const std::string& name);

using PicturePtr = std::unique_ptr<CPictureInfo>;

// A 24-bit picture whose pixel (x, y), y counted from the top, has colour(x, y).
PicturePtr MakePicture(int width, int height, const std::function<DWORD(int, int)>& colour);
// A picture with smooth gradients, hard edges and a few solid blocks: hard for every encoder.
PicturePtr MakePhoto(int width, int height);

PixelGrid PixelsOf(const CPictureInfo& picture);
int BitsOf(const CPictureInfo& picture);

// The picture converted to bitsPerPixel by the imaging library, as the encoders reduce it before
// writing; its pixels.
PixelGrid ReducedPixels(const CPictureInfo& picture, int bitsPerPixel);

// The largest difference of one channel between two grids of the same size; -1 when the sizes differ.
int MaxChannelDifference(const PixelGrid& a, const PixelGrid& b);
double MeanChannelDifference(const PixelGrid& a, const PixelGrid& b);
// The mean of each channel over the grid, rounded, as one colour.
DWORD AverageColour(const PixelGrid& grid);

// The pixels that ImageMagick decodes from a file (its first picture), or an empty grid.
PixelGrid PixelsByImageMagick(const std::string& path);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
