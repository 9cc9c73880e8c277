#include "image/PictureInfo.h"

#include "image/DibGeometry.h"
#include "image/DibValidation.h"

#include <cstring>
#include <memory>

void CPictureInfo::Free() {
    delete[] m_dib;
    m_dib = nullptr;
    m_length = 0;
}

LONG CPictureInfo::Release() {
    const LONG count = --m_refCount;
    if (count == 0)
        delete this;
    return count;
}

void CPictureInfo::Destroy() {
    Free();
    delete this;
}

BYTE* CPictureInfo::GetBits() const {
    return m_dib ? DibBitsPtr(GetHeader()) : nullptr;
}

DWORD CPictureInfo::GetBitsSize() const {
    return m_dib ? GetLength() - DibBitsOffset(GetHeader()) : 0;
}

CPictureInfo* CPictureInfo::Clone() const {
    auto* copy = new CPictureInfo;
    if (IsValid())
        std::memcpy(copy->Allocate(GetLength()), m_dib, GetLength());
    return copy;
}

BYTE* CPictureInfo::LoadFile(const CString& /*path*/) {
    return m_dib;
}

void CPictureInfo::Attach(BYTE* block, DWORD length) {
    Free();
    m_dib = block;
    m_length = block ? static_cast<LONG>(length) : 0;
}

BYTE* CPictureInfo::Detach() {
    BYTE* block = m_dib;
    m_dib = nullptr;
    m_length = 0;
    return block;
}

BYTE* CPictureInfo::Allocate(DWORD length) {
    Attach(new BYTE[length](), length);
    return m_dib;
}

BOOL CPictureInfo::SetExternalDib(const void* dib, std::size_t size) {
    Free();
    if (!dib)
        return FALSE;
    NormalizedDib normalized = NormalizeExternalDib(std::span(static_cast<const BYTE*>(dib), size));
    if (!normalized)
        return FALSE;
    Attach(normalized.block.release(), normalized.length);
    return TRUE;
}
