#pragma once
// Byte encodings of stored text. Strings inside the program are UTF-8; stored strings that are not valid
// UTF-8 come from Windows systems and are read as Windows-1252.

#include <optional>
#include <string>
#include <string_view>

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8. The five bytes that code page leaves undefined map to the C1 controls.
std::string Windows1252ToUtf8(std::string_view bytes);

// A stored string as the program holds it: unchanged when it is UTF-8, else read as Windows-1252.
std::string StoredTextToUtf8(std::string_view bytes);

// UTF-8 text in which every byte that is not part of a well-formed sequence is read as Windows-1252: for
// files that declare UTF-8 but hold a few bytes written by a Windows program.
std::string Utf8WithWindows1252Fallback(std::string_view bytes);
// UTF-8 text in Windows-1252; nothing when the text is not UTF-8 or a character has no place there. The
// five bytes that code page leaves undefined stand for the C1 controls, as when reading.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

// UTF-8 text as UTF-16 code units; a byte outside a well-formed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
// UTF-16 code units as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

// Code page 850, the DOS code page in which zip tools store entry names, as UTF-8.
std::string Cp850ToUtf8(std::string_view bytes);

// UTF-8 text in code page 850; nothing when the text is not UTF-8 or a character has no place there.
std::optional<std::string> Utf8ToCp850(std::string_view utf8);
