// The empty document of the resource manager's views.

#include "resmanager/ResManagerDocument.h"

IMPLEMENT_DYNCREATE(CResManagerDocument, CDocument)
