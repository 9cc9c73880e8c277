// The undo record of an exchange between two pictures.
#include "page/UndoReplace.h"

IMPLEMENT_DYNCREATE(CUndoReplace, CObject)
