// The undo record of a picture object's mat, stencil or state before a copy.
#include "page/UndoCopy.h"

#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawImage.h"

IMPLEMENT_DYNCREATE(CUndoCopy, CObject)

namespace {

constexpr int kCopyMat = 0;
constexpr int kCopyStencil = 1;
constexpr int kCopyAll = 2;

} // namespace

CUndoCopy::CUndoCopy(int kind, int index, CDrawImage* source)
    : m_pImage(new CDrawImage), m_nKind(kind), m_nIndex(index) {
    if (!source)
        return;
    if ((kind == kCopyMat || kind == kCopyAll) && source->HasMat())
        m_pImage->SetMat(new CMat);
    if ((kind == kCopyStencil || kind == kCopyAll) && source->HasStencil())
        m_pImage->SetStencil(new CStencil);
    if (kind == kCopyAll && source->GetOriginalDib())
        m_pImage->CAdjustImage::CopyFrom(source);
}

CUndoCopy::~CUndoCopy() {
    delete m_pImage;
}
