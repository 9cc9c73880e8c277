// Copies of a page: whole clones, the undo copy, empty frames, one picture laid into every frame, and
// the pictures of another page taken into this one's frames.
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawPoly.h"
#include "page/DrawText.h"
#include "page/ProgressReport.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/GlobalMemory.h"

#include <memory>

namespace {

// Frames copied into empty pictures carry this path until a picture arrives.
constexpr char kEmptyFramePath[] = "xxx";

// The shape and roundness of a rectangle-shaped object; a plain rectangle for anything else.
void TakeShape(CDrawImage& image, CDrawObj* object) {
    if (auto* rect = DYNAMIC_DOWNCAST(CDrawRect, object)) {
        image.SetShape(rect->GetShape());
        image.SetRoundness(rect->GetRoundness());
    }
}

template <class Entry>
Entry* CloneEntry(const Entry* entry) {
    return entry ? DYNAMIC_DOWNCAST(Entry, entry->Clone()) : nullptr;
}

OwnedPicture CloneOf(const CPictureInfo* picture) {
    return OwnedPicture(picture ? picture->Clone() : nullptr);
}

} // namespace

CTemplate* CTemplate::NewWithAttributes(bool allTexts) const {
    auto* copy = new CTemplate;
    copy->m_nPageWidth = m_nPageWidth;
    copy->m_nPageHeight = m_nPageHeight;
    copy->m_nOrientation = m_nOrientation;
    copy->m_fileTime = m_fileTime;
    copy->m_strStoredText = m_strStoredText;
    copy->m_strText3 = m_strText3;
    copy->m_strText5 = m_strText5;
    copy->m_strText6 = m_strText6;
    copy->m_strText8 = m_strText8;
    copy->m_strTitle = m_strTitle;
    copy->m_strName = m_strName;
    copy->m_strComment = m_strComment;
    if (allTexts) {
        copy->m_strText1 = m_strText1;
        copy->m_strText2 = m_strText2;
    }
    return copy;
}

CTemplate* CTemplate::Clone() const {
    CTemplate* copy = NewWithAttributes(true);
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* object = m_objects.GetNext(pos);
        CDrawObj* clone = object ? object->Clone() : nullptr;
        if (!clone)
            continue;
        copy->m_objects.AddTail(clone);
        if (auto* image = DYNAMIC_DOWNCAST(CDrawImage, clone)) {
            // Loaded again on the new page, so that its pictures share there.
            const CString path = image->GetFilePath();
            image->SetTemplate(copy);
            image->SetFilePath(CString());
            image->SetImageFile(path, TRUE);
        } else if (auto* text = DYNAMIC_DOWNCAST(CDrawText, clone)) {
            text->SetTemplate(copy);
        }
    }
    return copy;
}

CTemplate* CTemplate::CloneForUndo() const {
    CTemplate* copy = NewWithAttributes(false);
    const bool contentOnly = HasOnlyContentObjects();
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* object = m_objects.GetNext(pos);
        if (!contentOnly) {
            if (CDrawObj* clone = object ? object->Clone() : nullptr)
                copy->m_objects.AddTail(clone);
            continue;
        }
        if (auto* image = DYNAMIC_DOWNCAST(CDrawImage, object)) {
            CDrawImage* duplicate = image->Duplicate();
            duplicate->SetTemplate(copy);
            copy->m_objects.AddTail(duplicate);
        } else if (auto* text = DYNAMIC_DOWNCAST(CDrawText, object)) {
            CDrawText* duplicate = text->Duplicate();
            duplicate->SetTemplate(copy);
            copy->m_objects.AddTail(duplicate);
        }
    }
    return copy;
}

CTemplate* CTemplate::CloneAsEmptyFrames() const {
    CTemplate* copy = NewWithAttributes(false);
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* object = m_objects.GetNext(pos);
        if (!object || object->IsKindOf(RUNTIME_CLASS(CDrawPoly)))
            continue;
        auto* frame = new CDrawImage(object->GetPosition());
        TakeShape(*frame, object);
        frame->SetStateFlag(true);
        frame->SetFilePath(kEmptyFramePath);
        frame->SetTemplate(copy);
        copy->m_objects.AddTail(frame);
    }
    return copy;
}

CTemplate* CTemplate::FillWithPicture(CWorkBitmap* work, CStencil* stencil, CMat* mat, bool flag) const {
    CTemplate* copy = NewWithAttributes(false);
    if (!work)
        return copy;
    const OwnedPicture original = CloneOf(work->GetOriginalDib());
    const OwnedPicture adjusted = CloneOf(work->GetAdjustedDib());
    const OwnedPicture rotated = CloneOf(work->GetRotatedDib());
    DWORD size = 0;
    HGLOBAL data = work->ReadTempFile(&size);
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* object = m_objects.GetNext(pos);
        if (!object || object->IsKindOf(RUNTIME_CLASS(CDrawPoly)))
            continue;
        if (object->IsKindOf(RUNTIME_CLASS(CDrawClipart))) {
            copy->m_objects.AddTail(object->Clone());
            continue;
        }
        auto* image = new CDrawImage(object->GetPosition());
        TakeShape(*image, object);
        image->SetStateFlag(flag);
        image->WriteImageData(&data, &size);
        image->CAdjustImage::CopyFrom(work);
        image->SetTemplate(copy);
        copy->m_objects.AddTail(image);
        if (stencil)
            image->SetStencil(CloneEntry(stencil));
        if (mat)
            image->SetMat(CloneEntry(mat));
        image->SetOriginalDib(original.get());
        image->SetAdjustedDib(adjusted.get());
        image->SetRotatedDib(rotated.get());
        image->SetFilePath(work->GetFilePath());
    }
    if (data)
        GlobalFree(data);
    return copy;
}

void CTemplate::TakeImagesFrom(CTemplate* other, IProgressReport* progress) {
    if (!other || !other->HasOnlyContentObjects())
        return;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        if (auto* image = DYNAMIC_DOWNCAST(CDrawImage, m_objects.GetNext(pos)))
            image->Clear();
    }
    if (progress) {
        progress->Open(AppServices().GetAppName());
        progress->SetRange(0, GetObjectCount());
        progress->SetStep(1.0f);
    }
    // Each frame of this page, head first, takes the next picture of the other page.
    auto place = [&](POSITION frame, CDrawImage* image) {
        CDrawObj* replaced = m_objects.GetAt(frame);
        if (replaced) {
            image->SetPosition(replaced->GetPosition());
            image->SetSavedPosition(replaced->GetPosition());
            if (auto* rect = DYNAMIC_DOWNCAST(CDrawRect, replaced))
                image->SetShape(rect->GetShape());
        }
        image->SetTemplate(this);
        m_objects.SetAt(frame, image);
        delete replaced;
        if (progress)
            progress->StepIt();
    };
    CDrawObjList& theirs = other->GetObjectList();
    POSITION mine = m_objects.GetHeadPosition();
    CDrawImage* lastPlaced = nullptr;
    for (POSITION pos = theirs.GetHeadPosition(); pos && mine;) {
        const POSITION entry = pos;
        auto* image = DYNAMIC_DOWNCAST(CDrawImage, theirs.GetNext(pos));
        if (!image)
            continue;
        theirs.SetAt(entry, nullptr);
        place(mine, image);
        lastPlaced = image;
        m_objects.GetNext(mine);
    }
    while (mine && lastPlaced) {
        const POSITION frame = mine;
        m_objects.GetNext(mine);
        place(frame, lastPlaced->CloneWithPictures(this));
    }
    if (progress)
        progress->Close();
}
