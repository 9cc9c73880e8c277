#pragma once
// The Resample export of the Rastrum library, found through the module handle of the application
// services, and the DIBs it returns.

#include "platform/base/WinStructs.h"
#include "rastrum/RastrumExports.h"

struct RastrumLink {
    bool libraryLoaded = false;          // the application holds a module handle
    ResampleFunction resample = nullptr; // null when the library has no such export
};

// Looks the export up when the module handle differs from the last one seen (or the last lookup
// failed), and keeps it for the process otherwise. Only handles are compared: the program loads the
// library once for its whole run.
RastrumLink FindRastrumResample();

// A DIB that Resample returned, in locked global memory: unlocked and freed when it goes.
class CResampledDib {
public:
    CResampledDib() = default;
    explicit CResampledDib(BITMAPINFOHEADER* dib) : m_dib(dib) {}
    ~CResampledDib();
    CResampledDib(CResampledDib&& other) noexcept : m_dib(other.m_dib) { other.m_dib = nullptr; }
    CResampledDib& operator=(CResampledDib&& other) noexcept;
    CResampledDib(const CResampledDib&) = delete;
    CResampledDib& operator=(const CResampledDib&) = delete;

    BITMAPINFOHEADER* Get() const { return m_dib; }
    explicit operator bool() const { return m_dib != nullptr; }

private:
    BITMAPINFOHEADER* m_dib = nullptr;
};

// Resample(source, width, height, false) through the link; empty on failure.
CResampledDib ResampleThrough(const RastrumLink& link, const BITMAPINFOHEADER* source, int width, int height);
