// The page clipboard: the first selected object travels as its kind and its archive record in the
// registered format "QZ20"; a picture carries its temporary file's data along.

#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/MainWndServices.h"
#include "page/PreviewWnd.h"
#include "page/UndoCopy.h"
#include "page/UndoCopyObj.h"
#include "page/UndoDelete.h"
#include "platform/base/AppServices.h"
#include "platform/base/Archive.h"
#include "platform/base/ClipboardFormat.h"
#include "platform/base/Exception.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/SharedFile.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/WaitCursor.h"

#include <cstring>
#include <memory>

namespace {

constexpr int kArchiveBuffer = 4096;

// Keeps the clipboard open for one access.
class CClipboardAccess {
public:
    explicit CClipboardAccess(HWND owner) : m_open(OpenClipboard(owner) != FALSE) {}
    ~CClipboardAccess() {
        if (m_open)
            CloseClipboard();
    }
    CClipboardAccess(const CClipboardAccess&) = delete;
    CClipboardAccess& operator=(const CClipboardAccess&) = delete;
    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

// Reads the clipboard's block without taking it: the file is detached again before it closes.
class CBorrowedFile : public CSharedFile {
public:
    explicit CBorrowedFile(HANDLE data) { SetHandle(static_cast<HGLOBAL>(data), FALSE); }
    ~CBorrowedFile() override { Detach(); }
    CBorrowedFile(const CBorrowedFile&) = delete;
    CBorrowedFile& operator=(const CBorrowedFile&) = delete;
};

// The block grows in steps, so it may be longer than the data: the rest is cleared, as other programs
// read the whole block.
void ClearBeyond(HGLOBAL block, ULONGLONG length) {
    const CGlobalLock lock(block);
    if (lock.Bytes() && length < lock.Size())
        std::memset(lock.Bytes() + length, 0, lock.Size() - length);
}

} // namespace

UINT CPreviewWnd::ClipboardFormat() {
    static const UINT format = RegisterClipboardFormat("QZ20");
    return format;
}

void CPreviewWnd::Copy() {
    if (!AppServices().IsEditMode())
        return;
    CWaitCursor wait;
    CTemplate* page = EditTemplate();
    CDrawObj* object = page ? page->GetFirstSelected() : nullptr;
    if (!object)
        return;
    const int kind = object->GetKind();
    CClipboardAccess clipboard(m_hWnd);
    if (!clipboard.IsOpen())
        return;
    EmptyClipboard();
    CSharedFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<DWORD>(kind);
        object->Serialize(ar);
        if (kind == kDrawKindImage)
            static_cast<CDrawImage*>(object)->SerializeImageData(ar);
        ar.Close();
    }
    const ULONGLONG length = file.GetLength();
    HGLOBAL block = file.Detach();
    ClearBeyond(block, length);
    if (!SetClipboardData(ClipboardFormat(), block))
        GlobalFree(block);
}

void CPreviewWnd::Cut() {
    if (!AppServices().IsEditMode())
        return;
    Copy();
    CTemplate* page = EditTemplate();
    if (!page)
        return;
    auto undo = std::make_unique<CUndoDelete>();
    ForgetMovingObjects();
    page->DeleteSelected(undo.get());
    MainWndServices().AddUndo(undo.release());
    RedrawTemplate();
}

int CPreviewWnd::ClipboardKind() {
    CClipboardAccess clipboard(m_hWnd);
    HANDLE data = clipboard.IsOpen() ? GetClipboardData(ClipboardFormat()) : nullptr;
    if (!data || GlobalSize(static_cast<HGLOBAL>(data)) < sizeof(DWORD))
        return -1;
    CBorrowedFile file(data);
    try {
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        DWORD kind = 0;
        ar >> kind;
        ar.Close();
        return static_cast<int>(kind);
    } catch (CException* e) {
        e->Delete();
        return -1;
    }
}

void CPreviewWnd::Paste() {
    if (!AppServices().IsEditMode())
        return;
    CWaitCursor wait;
    CTemplate* page = EditTemplate();
    if (!page)
        return;
    CClipboardAccess clipboard(m_hWnd);
    HANDLE data = clipboard.IsOpen() ? GetClipboardData(ClipboardFormat()) : nullptr;
    if (data)
        PasteFrom(page, data);
}

// Damaged data pastes nothing: every object is read whole before the page or the undo list changes.
void CPreviewWnd::PasteFrom(CTemplate* page, HANDLE data) {
    CBorrowedFile file(data);
    try {
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        DWORD kind = 0;
        ar >> kind;
        if (kind == kDrawKindText)
            PasteText(page, ar);
        else if (kind == kDrawKindImage)
            PastePicture(page, ar);
        else if (kind == kDrawKindClipart)
            PasteClipart(page, ar);
    } catch (CException* e) {
        e->Delete();
    }
}

void CPreviewWnd::MoveToContextPoint(CDrawObj* object) {
    const CPoint at = WindowToPage(s_lastContextPoint);
    CRect rect = object->GetPosition();
    rect.OffsetRect(at.x - rect.left, at.y - rect.top);
    object->SetPosition(rect);
    object->SetSavedPosition(rect);
}

void CPreviewWnd::PasteText(CTemplate* page, CArchive& ar) {
    auto text = std::make_unique<CDrawText>();
    text->Serialize(ar);
    ar.Close();
    CDrawText* pasted = text.release();
    page->InsertObject(pasted, -1);
    pasted->SetTemplate(page);
    MoveToContextPoint(pasted);
    MainWndServices().AddUndo(new CUndoCopyObj(page->IndexOf(pasted)));
    UpdateObjects(pasted);
}

// The copied picture replaces the content of the selected frame, which keeps its place and size.
void CPreviewWnd::PastePicture(CTemplate* page, CArchive& ar) {
    CDrawObj* selected = page->GetFirstSelected();
    if (!CDrawObj::IsDrawImage(selected))
        return;
    auto* target = static_cast<CDrawImage*>(selected);
    CDrawImage copied;
    copied.Serialize(ar);
    const DWORD length = CDrawImage::ReadImageDataLength(ar);
    const CString path = copied.GetFilePath();
    copied.SetTemplate(page);
    copied.SetFilePath(CString());
    copied.SetImageFile(path, TRUE);
    // A rebuilt result replaces the copied one, whose bytes are then never read.
    if (!copied.GetUnwrittenResult())
        copied.ReadImageData(ar, length);
    ar.Close();
    MainWndServices().AddUndo(new CUndoCopy(2, page->IndexOf(target), target));
    const CRect frame = target->GetPosition();
    const CRect savedFrame = target->GetSavedPosition();
    target->CopyFrom(&copied);
    target->SetPosition(frame);
    target->SetSavedPosition(savedFrame);
    RedrawTemplate();
}

void CPreviewWnd::PasteClipart(CTemplate* page, CArchive& ar) {
    auto clipart = std::make_unique<CDrawClipart>();
    clipart->Serialize(ar);
    ar.Close();
    CDrawClipart* pasted = clipart.release();
    page->InsertObject(pasted, -1);
    pasted->RebuildRotated();
    MoveToContextPoint(pasted);
    MainWndServices().AddUndo(new CUndoCopyObj(page->IndexOf(pasted)));
    UpdateObjects(pasted);
}
