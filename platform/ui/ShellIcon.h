#pragma once
// Shell icons into image lists: the icon of a shell item, drawn at the list's picture size with its
// transparency kept (a 32-bit list keeps the alpha; other lists show it opaque).

#include "platform/ui/ImageList.h"
#include "platform/ui/ShellFolder.h"

// The index of the new picture, or -1 when the item has no icon.
int AddShellIcon(CImageList& list, const CShellFolder& folder, const CItemIdList& child);
