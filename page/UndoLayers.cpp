// The undo record of a layer change.
#include "page/UndoLayers.h"

IMPLEMENT_DYNCREATE(CUndoLayers, CObject)
