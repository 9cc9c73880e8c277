#pragma once
// CColorDepth: one colour depth that a save format offers, as a save dialog lists it.

#include "platform/base/Object.h"
#include "platform/base/String.h"

class CColorDepth : public CObject {
public:
    CColorDepth(const CString& name, int bits) : m_name(name), m_bits(bits) {}

    // A new object with the same two values; the caller owns it.
    CColorDepth* Copy() const { return new CColorDepth(m_name, m_bits); }

    CString m_name; // shown to the user, e.g. "24-bits"
    int m_bits;     // bits per pixel
};
