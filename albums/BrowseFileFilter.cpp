#include "albums/BrowseFileFilter.h"

void CBrowseFileFilter::SetFlags(int /*clear*/, int /*set*/) {}
