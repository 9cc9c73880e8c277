#include "library/ObjMgr.h"

#include "platform/base/ClipboardFormat.h"

IMPLEMENT_DYNAMIC(CObjMgr, CObject)

CObjMgr::CObjMgr() : m_nTransitionFormat(RegisterClipboardFormat("Transition")) {}

CObjMgr::~CObjMgr() = default;
