#pragma once
// Pictures, files and real tools for the tests of the imaging library's file side.

#include "platform/imaging/ImagingBitmap.h"
#include "tests/support/RunTool.h"

#include <string>
#include <vector>

// A bitmap holding a copy of a packed DIB at its own depth.
CImagingBitmap BitmapOf(const std::vector<BYTE>& dib);

// A 24-bit bitmap from colours, top row first.
CImagingBitmap ColourBitmap(int width, int height, const std::vector<COLORREF>& coloursTopDown);

// A 24-bit picture with thousands of colours: smooth gradients with a little pattern, like a photo.
CImagingBitmap PhotoLike(int width, int height);

// True when the bitmap's DIB passes the picture gate and comes back from it unchanged: the program's
// one form of a picture, and its transparency, if any, one byte for each pixel.
bool InProgramForm(const CImagingBitmap& bitmap);

// The bitmap's colours, top row first (through its palette where it has one).
std::vector<COLORREF> ColoursOf(const CImagingBitmap& bitmap);

// The bitmap's transparency, top row first.
std::vector<BYTE> AlphaOf(const CImagingBitmap& bitmap);

// The largest difference of one channel between two pictures of the same size; 256 when they differ in
// size.
int LargestDifference(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b);
// The mean difference of all channels.
double MeanDifference(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b);

std::vector<BYTE> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes);

// Whether a shell command succeeded.
bool RunCommand(const std::string& command);

// What GraphicsMagick decodes from a file, as colours (and alpha with `withAlpha`) top row first;
// empty when its size is not width x height.
std::vector<COLORREF> GmColours(const std::string& path, int width, int height);
std::vector<BYTE> GmAlpha(const std::string& path, int width, int height);
