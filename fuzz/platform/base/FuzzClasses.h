#pragma once
// A small serializable hierarchy for the archive fuzzer: nodes that point at other nodes (not owning
// them), a derived node, and a class whose loader accepts every schema. Every live object is known, so
// that the fuzzer can free what an input made whatever shape its references took.

#include "platform/base/Archive.h"

#include <set>

class CFuzzNode : public CObject {
    DECLARE_SERIAL(CFuzzNode)
public:
    CFuzzNode();
    ~CFuzzNode() override;
    void Serialize(CArchive& ar) override;

    int m_value = 0;
    CString m_name;
    CFuzzNode* m_pLink = nullptr; // not owned
};

class CFuzzLeaf : public CFuzzNode {
    DECLARE_SERIAL(CFuzzLeaf)
public:
    void Serialize(CArchive& ar) override;

    double m_weight = 0;
};

class CFuzzVersioned : public CObject {
    DECLARE_SERIAL(CFuzzVersioned)
public:
    CFuzzVersioned();
    ~CFuzzVersioned() override;
    void Serialize(CArchive& ar) override;

    UINT m_schema = 0;
    WORD m_flags = 0;
};

// Every CFuzzNode and CFuzzVersioned alive now.
std::set<CObject*>& LiveFuzzObjects();
void DeleteLiveFuzzObjects();
