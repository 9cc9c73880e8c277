// The undo record of a pasted text or clipart.
#include "page/UndoCopyObj.h"

IMPLEMENT_DYNCREATE(CUndoCopyObj, CObject)
