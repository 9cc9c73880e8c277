#pragma once
// The object view's thumbnail cells: an entry's stored thumbnail fitted into the cell, on a transparent
// ground, so that the list's background shows around it and no colour of the picture is lost to a key.

#include "platform/base/Geometry.h"

class CDSObj;
class CImageList;

// Appends the entry's thumbnail to list (made with ILC_COLOR32) as one cell of cellSize; the new image's
// index, or -1 when the entry has no thumbnail or it cannot be made.
int AddEntryThumbnail(CImageList& list, const CDSObj& entry, const CSize& cellSize);
