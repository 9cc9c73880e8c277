#pragma once
// CCreateContext: what a frame and its splitters hand down to the views they create: the document the
// views show, the class of a view to make, and the frame they live in.

#include "platform/base/Object.h"

class CDocument;
class CFrameWnd;
class CView;

struct CCreateContext {
    // Run-time class of the view that CFrameWnd::OnCreateClient makes; null for none.
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
