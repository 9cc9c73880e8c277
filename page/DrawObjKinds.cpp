// The run-time class tests of drawing objects.
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawObj.h"
#include "page/DrawText.h"

BOOL CDrawObj::IsDrawImage(CObject* pObject) {
    return pObject && pObject->IsKindOf(RUNTIME_CLASS(CDrawImage)) ? TRUE : FALSE;
}

BOOL CDrawObj::IsDrawText(CObject* pObject) {
    return pObject && pObject->IsKindOf(RUNTIME_CLASS(CDrawText)) ? TRUE : FALSE;
}

BOOL CDrawObj::IsDrawClipart(CObject* pObject) {
    return pObject && pObject->IsKindOf(RUNTIME_CLASS(CDrawClipart)) ? TRUE : FALSE;
}

BOOL CDrawObj::IsTextOrClipart(CObject* pObject) {
    return IsDrawText(pObject) || IsDrawClipart(pObject);
}
