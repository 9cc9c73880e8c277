// Editing the selected objects of a page and exchanging pictures between its frames.
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawImage.h"
#include "page/TempFileData.h"
#include "page/Template.h"
#include "page/UndoDelete.h"
#include "page/UndoDeleteDrawObj.h"
#include "page/UndoObject.h"

#include <utility>

namespace {

// The kind a deleted picture's record carries: its photo.
constexpr int kUndoPhoto = 0;

template <class Entry>
Entry* CloneEntry(const Entry* entry) {
    return entry ? DYNAMIC_DOWNCAST(Entry, entry->Clone()) : nullptr;
}

// Records the picture for undo and empties it; the frame stays on the page.
void EmptyPicture(CDrawImage& image, int index, CUndoDelete* undo) {
    if (undo)
        undo->Add(new CUndoObject(kUndoPhoto, image.GetFilePath(), index, image));
    image.Clear();
}

} // namespace

void CTemplate::DeleteSelected(CUndoDelete* undo) {
    int index = 0;
    for (POSITION pos = m_objects.GetHeadPosition(); pos; ++index) {
        const POSITION current = pos;
        CDrawObj* object = m_objects.GetNext(pos);
        if (!object || !object->IsSelected())
            continue;
        if (CDrawObj::IsTextOrClipart(object)) {
            if (undo)
                undo->Add(new CUndoDeleteDrawObj(object, index));
            m_objects.RemoveAt(current);
            object->Remove();
        } else if (auto* image = DYNAMIC_DOWNCAST(CDrawImage, object)) {
            EmptyPicture(*image, index, undo);
        }
    }
}

void CTemplate::ResetSelectedImages(CUndoDelete* undo) {
    int index = 0;
    for (POSITION pos = m_objects.GetHeadPosition(); pos; ++index) {
        auto* image = DYNAMIC_DOWNCAST(CDrawImage, m_objects.GetNext(pos));
        if (image && image->IsSelected())
            EmptyPicture(*image, index, undo);
    }
}

void CTemplate::RemoveStencilFromSelected() {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        auto* image = DYNAMIC_DOWNCAST(CDrawImage, m_objects.GetNext(pos));
        if (image && image->IsSelected())
            image->RemoveStencil();
    }
}

void CTemplate::RemoveMatFromSelected() {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        auto* image = DYNAMIC_DOWNCAST(CDrawImage, m_objects.GetNext(pos));
        if (image && image->IsSelected())
            image->RemoveMat();
    }
}

void CTemplate::CopyImage(CDrawImage* target, CDrawImage* source) {
    if (target == source || !FindPosition(target) || !FindPosition(source))
        return;
    target->SetStencil(CloneEntry(source->GetStencil()));
    target->SetMat(CloneEntry(source->GetMat()));
    target->CAdjustImage::CopyFrom(source);
    // The settings brought the source's path along; without emptying it the target would keep its old
    // picture under the new path instead of sharing the source's.
    target->FreeOriginalDib();
    target->SetFilePath(CString());
    target->SetImageFile(source->GetFilePath(), TRUE);
    CopyTempFile(target->GetTempFile(), source->GetTempFile());
    target->SetStateFlag(source->IsStateFlagClear());
}

void CTemplate::SwapImages(CDrawImage* a, CDrawImage* b) {
    if (a == b || !FindPosition(a) || !FindPosition(b))
        return;
    CStencil* stencilOfA = CloneEntry(a->GetStencil());
    a->SetStencil(CloneEntry(b->GetStencil()));
    b->SetStencil(stencilOfA);
    CMat* matOfA = CloneEntry(a->GetMat());
    a->SetMat(CloneEntry(b->GetMat()));
    b->SetMat(matOfA);

    // Settings and paths, then the pictures that belong to them.
    CAdjustImage settingsOfA(false);
    settingsOfA.CopyFrom(a);
    a->CAdjustImage::CopyFrom(b);
    b->CAdjustImage::CopyFrom(&settingsOfA);
    const bool clearOfA = a->IsStateFlagClear();
    a->SetStateFlag(b->IsStateFlagClear());
    b->SetStateFlag(clearOfA);
    a->SwapDibs(*b);

    const auto dataOfA = ReadWholeTempFile(a->GetTempFile());
    const auto dataOfB = ReadWholeTempFile(b->GetTempFile());
    if (!dataOfA || !dataOfB)
        return;
    RewriteTempFile(a->GetTempFile(), dataOfB->data(), static_cast<DWORD>(dataOfB->size()));
    RewriteTempFile(b->GetTempFile(), dataOfA->data(), static_cast<DWORD>(dataOfA->size()));
}
