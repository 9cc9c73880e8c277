#include "platform/base/Object.h"

#include <cstring>
#include <mutex>

namespace {

// Both are constant-initialised, so registering from any static constructor is safe.
constinit std::mutex g_registryMutex;
constinit CRuntimeClass* g_firstClass = nullptr;

} // namespace

constinit CRuntimeClass CObject::classCObject = {
    "CObject", static_cast<int>(sizeof(CObject)), kNoSerialSchema, nullptr, nullptr, nullptr};

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* pClass = this; pClass; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass) {
            return TRUE;
        }
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
    if (!lpszClassName) {
        return nullptr;
    }
    std::lock_guard lock(g_registryMutex);
    for (CRuntimeClass* pClass = g_firstClass; pClass; pClass = pClass->m_pNextClass) {
        if (std::strcmp(pClass->m_lpszClassName, lpszClassName) == 0) {
            return pClass;
        }
    }
    return nullptr;
}

CClassRegistration::CClassRegistration(CRuntimeClass* pClass) : m_pClass(pClass) {
    std::lock_guard lock(g_registryMutex);
    pClass->m_pNextClass = g_firstClass;
    g_firstClass = pClass;
}

// A module that is unloaded takes its classes out again, so the registry never points into freed code.
CClassRegistration::~CClassRegistration() {
    std::lock_guard lock(g_registryMutex);
    for (CRuntimeClass** link = &g_firstClass; *link; link = &(*link)->m_pNextClass) {
        if (*link == m_pClass) {
            *link = m_pClass->m_pNextClass;
            break;
        }
    }
}

CRuntimeClass* CObject::GetRuntimeClass() const {
    return &classCObject;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&) {}
