#pragma once
// Binary PPM files (P6, 8 bits a channel), the form in which the benchmarks hand pictures to and from the
// peer tools, and 24-bit bottom-up packed DIBs, the form the program's libraries take.

#include "platform/base/WinStructs.h"

#include <vector>

// A 24-bit bottom-up packed DIB of that size with a 40-byte header, its pixels zero.
std::vector<BYTE> NewDib24(int width, int height);
// The picture of a binary PPM file as a 24-bit bottom-up packed DIB; empty when the file cannot be read
// or is not a PPM of 8-bit channels.
std::vector<BYTE> ReadPpmDib(const char* path);
// Writes a 24-bit bottom-up packed DIB as a binary PPM file; false when the file cannot be written.
bool WriteDibPpm(const BITMAPINFOHEADER* dib, const char* path);
