// The base filter keeps no flags: each kind decides which bits it counts.

#include "albums/BrowseFileFilter.h"

void CBrowseFileFilter::SetFlags(int /*clear*/, int /*set*/) {}
