#pragma once
// Base64 (RFC 2045) over movable global memory blocks: attachments of mails and the photo descriptions of
// the resource library.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <cstddef>

// The Base64 text of length bytes on one line, "=" padding it to a multiple of four characters: the
// form of encoded header words and of texts in one piece. No bytes give an empty text.
CString Base64Text(const BYTE* bytes, std::size_t length);

// Encodes length bytes of source into a new movable block that holds the text, in lines
// of lineLength / 4 groups of four characters (76 gives lines of 76 characters), each line ended by CR LF,
// then a terminating zero that outLength does not count. No input gives an empty text. Null when the
// block cannot be had, source cannot be locked or holds fewer than length bytes. The caller frees the
// result.
HGLOBAL Base64EncodeBuffer(HGLOBAL source, int length, DWORD& outLength, int lineLength);

// Decodes length characters of Base64 text from source into a new zero-initialised movable block of
// length * 3 / 4 bytes; outLength receives the number of bytes decoded. Characters outside the alphabet
// (line breaks, "=", anything else) are skipped. Null as for encoding. The caller frees the result and
// takes outLength bytes.
HGLOBAL Base64DecodeBuffer(HGLOBAL source, int length, DWORD& outLength);
