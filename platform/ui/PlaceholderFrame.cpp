#include "platform/ui/PlaceholderFrame.h"

#include "platform/gdi/SystemColors.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"

PlaceholderFrame CreateFrameOverPlaceholder(CWnd* parent, int placeholderId, CRuntimeClass* documentClass,
                                            CRuntimeClass* frameClass, CRuntimeClass* viewClass) {
    CWnd* placeholder = parent ? parent->GetDlgItem(placeholderId) : nullptr;
    if (!placeholder)
        return {};
    CRect area;
    placeholder->GetWindowRect(&area);
    parent->ScreenToClient(&area);

    CObject* made = documentClass->CreateObject();
    auto* document = dynamic_cast<CDocument*>(made);
    if (!document) {
        delete made;
        return {};
    }
    made = frameClass->CreateObject();
    auto* frame = dynamic_cast<CFrameWnd*>(made);
    if (!frame) {
        delete made;
        delete document;
        return {};
    }
    CCreateContext context;
    context.m_pCurrentDoc = document;
    context.m_pCurrentFrame = frame;
    context.m_pNewViewClass = viewClass;
    LPCTSTR windowClass =
        AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, nullptr,
                            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    // Views that come and go while the frame fails must not take the document with them: it is deleted
    // here then, once.
    document->m_bAutoDelete = FALSE;
    const BOOL created = frame->Create(windowClass, nullptr, WS_CHILD | WS_VISIBLE, area, parent, nullptr,
                                       WS_EX_CONTROLPARENT, &context);
    document->m_bAutoDelete = TRUE;
    if (!created) {
        // A frame whose window came and went has deleted itself.
        delete document;
        return {};
    }
    return {document, frame};
}
