// The undo list and the undo command: the newest record restores the page by its class and mode.
#include "app/CategoryPanel.h"
#include "app/MainWnd.h"
#include "image/WorkBitmap.h"
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/Template.h"
#include "page/TemplateList.h"
#include "page/UndoCopy.h"
#include "page/UndoCopyObj.h"
#include "page/UndoDelete.h"
#include "page/UndoDeleteDrawObj.h"
#include "page/UndoLayers.h"
#include "page/UndoNormal.h"
#include "page/UndoObject.h"
#include "page/UndoPropertiesText.h"
#include "page/UndoReplace.h"
#include "page/UndoTemplate.h"
#include "platform/base/AppServices.h"
#include "platform/ui/WaitCursor.h"

#include <algorithm>
#include <memory>

namespace {

// What a record's kind names: the picture, the template, the mat or the stencil; -1 blocks the list.
constexpr int kUndoBlocking = -1;
constexpr int kUndoPicture = 0;
constexpr int kUndoTemplate = 1;
constexpr int kUndoMat = 2;
constexpr int kUndoStencil = 3;

// Layer operations: sent to the back, forward one place, backward one place, to the front.
constexpr int kLayerToBack = 0;
constexpr int kLayerForward = 1;
constexpr int kLayerBackward = 2;
constexpr int kLayerToFront = 3;

// Copy and exchange kinds.
constexpr int kCopyMat = 0;
constexpr int kCopyStencil = 1;
constexpr int kCopyAll = 2;

// An entry of the kind for a full path, loaded; none for an empty path.
template <class Entry>
Entry* EntryOfPath(const CString& path) {
    if (path.IsEmpty())
        return nullptr;
    auto entry = std::make_unique<Entry>();
    entry->SetFilePath(path);
    entry->LoadData();
    return entry.release();
}

template <class Entry>
Entry* CloneOf(const Entry* entry) {
    return entry ? static_cast<Entry*>(entry->Clone()) : nullptr;
}

CDrawImage* ImageAt(CTemplate* page, int index) {
    return DYNAMIC_DOWNCAST(CDrawImage, page->GetObjectAt(index));
}

// The picture object shows the file with settings, loaded again.
void ShowFile(CDrawImage* image, const CAdjustImage& settings, const CString& path) {
    image->CAdjustImage::CopyFrom(&settings);
    image->FreeOriginalDib();
    image->FreeAdjustedDib();
    image->SetFilePath(CString());
    if (!path.IsEmpty())
        image->SetImageFile(path, TRUE);
}

// A CUndoObject's restore on the page; kind -1 is the caller's.
void RestoreObject(CTemplate* page, const CUndoObject& record) {
    CDrawImage* image = ImageAt(page, record.GetIndex());
    if (!image)
        return;
    switch (record.GetKind()) {
    case kUndoPicture:
        ShowFile(image, record.GetSettings(), record.GetPath());
        break;
    case kUndoMat:
        image->SetMat(EntryOfPath<CMat>(record.GetPath()));
        break;
    case kUndoStencil:
        image->SetStencil(EntryOfPath<CStencil>(record.GetPath()));
        break;
    default:
        break;
    }
}

bool IsBlocking(CObject* record) {
    const auto* object = DYNAMIC_DOWNCAST(CUndoObject, record);
    return object && object->GetKind() == kUndoBlocking;
}

void RestoreDelete(CTemplate* page, CUndoDelete& record) {
    CPtrList& parts = record.GetList();
    for (POSITION pos = parts.GetHeadPosition(); pos;) {
        auto* part = static_cast<CObject*>(parts.GetNext(pos));
        if (auto* deleted = DYNAMIC_DOWNCAST(CUndoDeleteDrawObj, part)) {
            const int index = deleted->GetIndex();
            if (CDrawObj* object = deleted->Detach())
                page->InsertObject(object, index);
        } else if (auto* object = DYNAMIC_DOWNCAST(CUndoObject, part)) {
            RestoreObject(page, *object);
        }
    }
}

void RestoreLayers(CTemplate* page, const CUndoLayers& record) {
    const int count = page->GetObjectCount();
    const int index = record.GetIndex();
    int moved = -1;
    switch (record.GetOperation()) {
    case kLayerToBack:
        moved = 0;
        break;
    case kLayerForward:
        moved = std::min(index + 1, count - 1);
        break;
    case kLayerBackward:
        moved = std::max(index - 1, 0);
        break;
    case kLayerToFront:
        moved = count - 1;
        break;
    default:
        return;
    }
    if (CDrawObj* object = page->GetObjectAt(moved))
        page->MoveToIndex(object, index);
}

void RestoreCopy(CTemplate* page, const CUndoCopy& record) {
    CDrawImage* image = ImageAt(page, record.GetIndex());
    const CDrawImage* saved = record.GetImage();
    if (!image || !saved)
        return;
    const int kind = record.GetKind();
    if (kind == kCopyMat || kind == kCopyAll)
        image->SetMat(CloneOf(saved->GetMat()));
    if ((kind == kCopyStencil || kind == kCopyAll) && !saved->HasStencil())
        image->RemoveStencil();
    if (kind == kCopyAll)
        ShowFile(image, *saved, saved->GetFilePath());
}

void RestoreCopyObj(CTemplate* page, const CUndoCopyObj& record) {
    CDrawObj* object = page->GetObjectAt(record.GetIndex());
    if (!object || !CUndoDeleteDrawObj::IsTextOrClipart(object))
        return;
    page->RemoveObject(object);
    delete object;
}

void RestoreText(CTemplate* page, const CUndoPropertiesText& record) {
    auto* text = DYNAMIC_DOWNCAST(CDrawText, page->GetObjectAt(record.GetIndex()));
    if (!text)
        return;
    LOGFONT font{};
    text->SetLogFont(*record.GetLogFont(&font));
    text->SetColor(record.GetColor());
    text->SetEffect(record.GetTextField());
    text->SetText(record.GetText());
}

void RestoreReplace(CTemplate* page, const CUndoReplace& record) {
    CDrawImage* first = ImageAt(page, record.GetFirstIndex());
    CDrawImage* second = ImageAt(page, record.GetSecondIndex());
    if (!first || !second)
        return;
    const int kind = record.GetKind();
    if (kind == kCopyMat || kind == kCopyAll) {
        CMat* firstMat = CloneOf(first->GetMat());
        first->SetMat(CloneOf(second->GetMat()));
        second->SetMat(firstMat);
    }
    if (kind == kCopyStencil || kind == kCopyAll) {
        CStencil* firstStencil = CloneOf(first->GetStencil());
        first->SetStencil(CloneOf(second->GetStencil()));
        second->SetStencil(firstStencil);
    }
    if (kind != kCopyAll)
        return;
    CAdjustImage firstSettings(false);
    firstSettings.CopyFrom(first);
    const CString firstPath = first->GetFilePath();
    const CString secondPath = second->GetFilePath();
    // Both are emptied first, so that neither shares the other's old picture.
    first->FreeOriginalDib();
    first->SetFilePath(CString());
    second->FreeOriginalDib();
    second->SetFilePath(CString());
    ShowFile(first, *second, secondPath);
    ShowFile(second, firstSettings, firstPath);
}

// The print template of that path in the template kind, or null.
CTemplate* LoadTemplateFile(const CString& name) {
    CDSObjMgr* manager = GetDSObjMgr();
    const CString path =
        manager ? manager->FindResourceFile(manager->GetResType(kResTypePrintTemplates), name) : CString();
    auto page = std::make_unique<CTemplate>();
    if (ReadTemplateFile(path, *page) != TemplateFileRead::kRead)
        return nullptr;
    page->SetName(name);
    return page.release();
}

} // namespace

void CMainWnd::AddUndo(CObject* record) {
    if (!record)
        return;
    m_undoList.AddTail(record);
    if (ICategoryPanel* panel = GetCategoryPanel())
        panel->EnableUndoButton(TRUE);
}

CObject* CMainWnd::GetLastUndo() const {
    return m_undoList.IsEmpty() ? nullptr : static_cast<CObject*>(m_undoList.GetTail());
}

void CMainWnd::RemoveLastUndo() {
    if (m_undoList.IsEmpty())
        return;
    delete static_cast<CObject*>(m_undoList.RemoveTail());
    if (ICategoryPanel* panel = GetCategoryPanel())
        panel->EnableUndoButton(m_undoList.IsEmpty() ? FALSE : TRUE);
}

void CMainWnd::ClearUndo() {
    while (!m_undoList.IsEmpty())
        delete static_cast<CObject*>(m_undoList.RemoveHead());
    if (ICategoryPanel* panel = GetCategoryPanel())
        panel->EnableUndoButton(FALSE);
}

void CMainWnd::OnUndo() {
    CObject* record = GetLastUndo();
    if (!record)
        return;
    const bool usedUp = UndoPictureRecord(record) ||
                        (AppServices().IsEditMode() ? UndoEditMode(record) : UndoNormalMode(record));
    if (!usedUp)
        return;
    RemoveLastUndo();
}

bool CMainWnd::UndoNormalMode(CObject* record) {
    auto* normal = DYNAMIC_DOWNCAST(CUndoNormal, record);
    if (!normal)
        return true;
    const CString path = normal->GetSettings().GetFilePath();
    switch (normal->GetIndex()) {
    case kUndoBlocking:
        return false;
    case kUndoPicture: {
        CWaitCursor wait;
        LoadPictureWithSettings(path, normal->GetSettings());
        break;
    }
    case kUndoTemplate: {
        CWaitCursor wait;
        SetTemplate(LoadTemplateFile(path));
        break;
    }
    case kUndoMat: {
        CWaitCursor wait;
        SetMat(EntryOfPath<CMat>(path));
        break;
    }
    case kUndoStencil: {
        CWaitCursor wait;
        SetStencil(EntryOfPath<CStencil>(path));
        break;
    }
    default:
        return true;
    }
    SetModified(TRUE);
    RedrawPreview();
    return true;
}

bool CMainWnd::UndoEditMode(CObject* record) {
    CWaitCursor wait;
    CTemplate* page = m_template;
    if (!page)
        return true;
    if (auto* layers = DYNAMIC_DOWNCAST(CUndoLayers, record)) {
        RestoreLayers(page, *layers);
    } else if (auto* deletion = DYNAMIC_DOWNCAST(CUndoDelete, record)) {
        // A blocking part stops the command before any part is restored.
        CPtrList& parts = deletion->GetList();
        for (POSITION pos = parts.GetHeadPosition(); pos;)
            if (IsBlocking(static_cast<CObject*>(parts.GetNext(pos))))
                return false;
        RestoreDelete(page, *deletion);
    } else if (auto* saved = DYNAMIC_DOWNCAST(CUndoTemplate, record)) {
        CTemplate* copy = saved->GetTemplate();
        saved->SetTemplate(nullptr);
        SetTemplate(copy);
    } else if (auto* object = DYNAMIC_DOWNCAST(CUndoObject, record)) {
        if (object->GetKind() == kUndoBlocking)
            return false;
        RestoreObject(page, *object);
    } else if (auto* copy = DYNAMIC_DOWNCAST(CUndoCopy, record)) {
        RestoreCopy(page, *copy);
    } else if (auto* pasted = DYNAMIC_DOWNCAST(CUndoCopyObj, record)) {
        RestoreCopyObj(page, *pasted);
    } else if (auto* text = DYNAMIC_DOWNCAST(CUndoPropertiesText, record)) {
        RestoreText(page, *text);
    } else if (auto* exchange = DYNAMIC_DOWNCAST(CUndoReplace, record)) {
        RestoreReplace(page, *exchange);
    } else {
        return true;
    }
    SetModified(TRUE);
    RedrawPreview();
    return true;
}
