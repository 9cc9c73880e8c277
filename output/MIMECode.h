#pragma once
// Transfer encoders of MIME parts. CBase64 encodes and decodes whole texts without line breaks
// (RFC 2045 §6.8); attachments use the line-breaking Base64EncodeBuffer instead.

#include "platform/base/String.h"

class CMIMECode {
public:
    virtual ~CMIMECode() = default;
    // Decodes text into buffer, which must hold the text's length plus one bytes: the number of bytes
    // written, 0 for a missing text or buffer or a character outside the alphabet ("=" is skipped).
    virtual int Decode(LPCTSTR text, LPTSTR buffer) = 0;
    virtual CString Encode(LPCTSTR bytes, int length) = 0;
};

class CBase64 : public CMIMECode {
public:
    int Decode(LPCTSTR text, LPTSTR buffer) override;
    // The text of the bytes with "=" padding to a multiple of four; empty for no bytes.
    CString Encode(LPCTSTR bytes, int length) override;
};
