#pragma once
// Holds one reference to an object of the XML layer and gives it back when it goes out of scope.

#include <utility>

template <typename T>
class CXmlPtr {
public:
    CXmlPtr() = default;
    // Takes over the caller's reference.
    explicit CXmlPtr(T* object) : m_object(object) {}
    ~CXmlPtr() { Reset(); }
    CXmlPtr(CXmlPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    CXmlPtr& operator=(CXmlPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            m_object = std::exchange(other.m_object, nullptr);
        }
        return *this;
    }
    CXmlPtr(const CXmlPtr&) = delete;
    CXmlPtr& operator=(const CXmlPtr&) = delete;

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    // Hands the reference to the caller.
    T* Detach() { return std::exchange(m_object, nullptr); }
    void Reset() {
        if (m_object != nullptr)
            std::exchange(m_object, nullptr)->Release();
    }

private:
    T* m_object = nullptr;
};
