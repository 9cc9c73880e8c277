#include "fuzz/platform/base/FuzzClasses.h"

#include <vector>

IMPLEMENT_SERIAL(CFuzzNode, CObject, 1)
IMPLEMENT_SERIAL(CFuzzLeaf, CFuzzNode, 1)
IMPLEMENT_SERIAL(CFuzzVersioned, CObject, VERSIONABLE_SCHEMA | 2)

std::set<CObject*>& LiveFuzzObjects() {
    static std::set<CObject*> live;
    return live;
}

void DeleteLiveFuzzObjects() {
    const std::vector<CObject*> objects(LiveFuzzObjects().begin(), LiveFuzzObjects().end());
    for (CObject* object : objects) {
        delete object;
    }
}

CFuzzNode::CFuzzNode() {
    LiveFuzzObjects().insert(this);
}

CFuzzNode::~CFuzzNode() {
    LiveFuzzObjects().erase(this);
}

void CFuzzNode::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_value << m_name << m_pLink;
        return;
    }
    ar >> m_value >> m_name >> m_pLink;
}

void CFuzzLeaf::Serialize(CArchive& ar) {
    CFuzzNode::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_weight;
    } else {
        ar >> m_weight;
    }
}

CFuzzVersioned::CFuzzVersioned() {
    LiveFuzzObjects().insert(this);
}

CFuzzVersioned::~CFuzzVersioned() {
    LiveFuzzObjects().erase(this);
}

void CFuzzVersioned::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_flags;
        return;
    }
    m_schema = ar.GetObjectSchema();
    // Schema 1 had no flags.
    if (m_schema >= 2) {
        ar >> m_flags;
    }
}
