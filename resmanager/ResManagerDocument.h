#pragma once
// CResManagerDocument: the resource manager's document. It holds nothing: the library is the data, and
// the views reach it through the resource object manager.

#include "platform/ui/Document.h"

class CResManagerDocument : public CDocument {
    DECLARE_DYNCREATE(CResManagerDocument)
};
