#pragma once
// Saving pictures through the imaging library, shared by the plug-ins that save that way.

#include "platform/base/String.h"
#include "platform/imaging/ImagingBitmap.h"

class CPictureInfo;

// The picture handed to the imaging library for saving; false for an empty or unreadable picture.
bool BitmapFromPicture(const CPictureInfo& picture, CImagingBitmap& bitmap);

// Saves the picture in the plug-in's save format of the path's extension: -1 when the plug-in has no
// such format, else the imaging library's result (kImagingSuccess on success).
int SavePictureFile(const CPictureInfo& picture, const CString& path, int bitsPerPixel, int quality);

// Encodes the picture in the plug-in's save format of extension into a new movable block that data
// receives; false when the plug-in has no such format or encoding fails.
bool SavePictureInMemory(const CPictureInfo& picture, const CString& extension, int bitsPerPixel, int quality,
                         void*& data, DWORD& size);
