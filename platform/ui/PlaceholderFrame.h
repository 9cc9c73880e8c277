#pragma once
// A document and its frame, made by their run-time classes, as a child frame in place of a placeholder
// control of a dialog or property page.

#include "platform/base/WinTypes.h"

struct CRuntimeClass;
class CDocument;
class CFrameWnd;
class CWnd;

struct PlaceholderFrame {
    CDocument* document = nullptr;
    CFrameWnd* frame = nullptr; // owns itself through its window; its views own the document
};

// Null members when anything fails; a document that no view joined is deleted then. viewClass may be
// null for a frame that makes its views itself.
PlaceholderFrame CreateFrameOverPlaceholder(CWnd* parent, int placeholderId, CRuntimeClass* documentClass,
                                            CRuntimeClass* frameClass, CRuntimeClass* viewClass);
