#pragma once
// CObject and CRuntimeClass: run-time class information, dynamic creation, schemas, and the registry in
// which an archive finds a class by the name it stored.

#include "platform/base/WinTypes.h"

#include <cassert>

class CArchive;
class CObject;

// Set in a class's schema when its loader accepts every stored schema and asks GetObjectSchema which
// one it got.
inline constexpr UINT VERSIONABLE_SCHEMA = 0x80000000;
// The schema of classes that have run-time information but are never written as tagged objects.
inline constexpr UINT kNoSerialSchema = 0xFFFF;

// Plain data so that every instance is constant-initialised: a class's information is valid before any
// static constructor runs, whatever order the linker gives the files.
struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass; // link in the registry of serializable classes

    // A new object of this class, or null when the class has no dynamic creation. The caller owns it.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    BOOL IsSerializable() const { return m_wSchema != kNoSerialSchema; }

    // The registered serializable class of that exact name, or null.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
};

// Adds a serializable class to the registry for the lifetime of its module (IMPLEMENT_SERIAL makes one).
class CClassRegistration {
public:
    explicit CClassRegistration(CRuntimeClass* pClass);
    ~CClassRegistration();
    CClassRegistration(const CClassRegistration&) = delete;
    CClassRegistration& operator=(const CClassRegistration&) = delete;

private:
    CRuntimeClass* m_pClass;
};

class CObject {
public:
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }
    // Writes or reads nothing: a derived class's Serialize calls it first by convention.
    virtual void Serialize(CArchive& ar);

    static CRuntimeClass classCObject;
    static constexpr CRuntimeClass* GetThisClass() { return &classCObject; }

protected:
    CObject() = default;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                                                                          \
public:                                                                                                      \
    static CRuntimeClass class##class_name;                                                                  \
    static constexpr CRuntimeClass* GetThisClass() {                                                         \
        return &class##class_name;                                                                           \
    }                                                                                                        \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                                        \
    DECLARE_DYNAMIC(class_name)                                                                              \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)                                                                           \
    DECLARE_DYNCREATE(class_name)                                                                            \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define VC_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                              \
    constinit CRuntimeClass class_name::class##class_name = {                                                \
        #class_name, static_cast<int>(sizeof(class_name)), wSchema,                                          \
        pfnNew,      RUNTIME_CLASS(base_class_name),       nullptr};                                         \
    CRuntimeClass* class_name::GetRuntimeClass() const {                                                     \
        return RUNTIME_CLASS(class_name);                                                                    \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                       \
    VC_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNoSerialSchema, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                     \
    CObject* class_name::CreateObject() {                                                                    \
        return new class_name;                                                                               \
    }                                                                                                        \
    VC_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNoSerialSchema, class_name::CreateObject)

// The class also needs Archive.h where this is used, for the extraction operator it defines.
#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                               \
    CObject* class_name::CreateObject() {                                                                    \
        return new class_name;                                                                               \
    }                                                                                                        \
    VC_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)                \
    static const CClassRegistration vcRegistration##class_name(RUNTIME_CLASS(class_name));                   \
    [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& pOb) {                                  \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                            \
        return ar;                                                                                           \
    }

template <typename T>
T* VcDynamicDowncast(CObject* object) {
    return object && object->IsKindOf(T::GetThisClass()) ? static_cast<T*>(object) : nullptr;
}
template <typename T>
const T* VcDynamicDowncast(const CObject* object) {
    return object && object->IsKindOf(T::GetThisClass()) ? static_cast<const T*>(object) : nullptr;
}

// Null when the object is null or not of that class.
#define DYNAMIC_DOWNCAST(class_name, object) (VcDynamicDowncast<class_name>(object))
// For casts that must hold; checked in debug builds.
#define STATIC_DOWNCAST(class_name, object)                                                                  \
    (assert((object) == nullptr || (object)->IsKindOf(RUNTIME_CLASS(class_name))),                           \
     static_cast<class_name*>(object))
