// The undo record of a picture's adjustment state.
#include "page/EffOb.h"

IMPLEMENT_DYNCREATE(CEffOb, CObject)

CEffOb::CEffOb() = default;

CEffOb::CEffOb(CAdjustImage* snapshot, int index) : m_snapshot(snapshot), m_nIndex(index) {}

CEffOb::~CEffOb() = default;
