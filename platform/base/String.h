#pragma once
// CString: the framework's 8-bit string. It holds UTF-8 bytes (the active code page here); embedded NULs
// survive every operation that does not go through a C string.

#include <concepts>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/base/WinTypes.h"

class CString;

namespace string_format {

// One argument of CString::Format, kept with its kind so that a mismatched conversion cannot read
// the wrong type: an integer given to "%s" prints as a number, a string given to "%d" as text.
struct Argument {
    enum class Kind { Signed, Unsigned, Floating, Text, Pointer } kind;
    long long signedValue = 0;
    unsigned long long unsignedValue = 0;
    double floatingValue = 0;
    std::string_view text;
    const void* pointer = nullptr;
};

Argument MakeArgument(const CString& value);
Argument MakeArgument(const std::string& value);
Argument MakeArgument(std::string_view value);
Argument MakeArgument(const char* value);
Argument MakeArgument(char* value);
Argument MakeArgument(const void* value);
template <typename T>
    requires std::is_integral_v<T> || std::is_enum_v<T>
Argument MakeArgument(T value) {
    if constexpr (std::is_enum_v<T>) {
        return MakeArgument(static_cast<std::underlying_type_t<T>>(value));
    } else if constexpr (std::is_signed_v<T>) {
        return Argument{.kind = Argument::Kind::Signed, .signedValue = static_cast<long long>(value)};
    } else {
        return Argument{.kind = Argument::Kind::Unsigned, .unsignedValue = static_cast<unsigned long long>(value)};
    }
}
template <std::floating_point T>
Argument MakeArgument(T value) {
    return Argument{.kind = Argument::Kind::Floating, .floatingValue = static_cast<double>(value)};
}

std::string Format(std::string_view format, const std::vector<Argument>& arguments);

} // namespace string_format

class CString {
public:
    CString() = default;
    CString(const char* text) : m_data(text ? text : "") {}
    CString(const char* text, int length) : m_data(text ? text : "", text && length > 0 ? length : 0) {}
    CString(char ch, int repeat = 1) : m_data(repeat > 0 ? repeat : 0, ch) {}
    CString(std::string text) : m_data(std::move(text)) {}
    CString(std::string_view text) : m_data(text) {}

    int GetLength() const { return static_cast<int>(m_data.size()); }
    bool IsEmpty() const { return m_data.empty(); }
    void Empty() { m_data.clear(); }
    char GetAt(int index) const { return m_data.at(static_cast<size_t>(index)); }
    void SetAt(int index, char ch) { m_data.at(static_cast<size_t>(index)) = ch; }
    char operator[](int index) const { return GetAt(index); }

    const char* GetString() const { return m_data.c_str(); }
    operator const char*() const { return m_data.c_str(); }
    const std::string& str() const { return m_data; }
    std::string_view view() const { return m_data; }

    CString& operator=(const char* text) { return *this = CString(text); }
    CString& operator+=(const CString& other) { return m_data += other.m_data, *this; }
    CString& operator+=(const char* text) { return m_data += (text ? text : ""), *this; }
    CString& operator+=(char ch) { return m_data += ch, *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_data + b.m_data); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_data + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_data); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_data + b); }
    friend CString operator+(char a, const CString& b) { return CString(a + b.m_data); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_data == b.m_data; }
    friend bool operator==(const CString& a, const char* b) { return a.m_data == (b ? b : ""); }
    friend auto operator<=>(const CString& a, const CString& b) { return a.m_data <=> b.m_data; }
    friend auto operator<=>(const CString& a, const char* b) { return a.m_data <=> std::string_view(b ? b : ""); }

    // Byte-wise comparison: negative, zero or positive.
    int Compare(const char* other) const;
    // Comparison after Unicode case folding (ASCII folding only for text that is not valid UTF-8).
    int CompareNoCase(const char* other) const;
    // Order of German dictionaries (DIN 5007-1), fixed in code rather than taken from the user's locale.
    int Collate(const char* other) const;
    int CollateNoCase(const char* other) const;
    // The form under which CompareNoCase finds two strings equal, as a key for hashing: Unicode case
    // folding of UTF-8 text, ASCII folding of other bytes.
    CString GetCaseFolded() const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    int Replace(char oldChar, char newChar);
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* set);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* set);
    CString& Trim() { return TrimRight().TrimLeft(); }

    // Index of the first match at or after start, or -1.
    int Find(char ch, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    template <typename... Args>
    void Format(const char* format, const Args&... args) {
        m_data = string_format::Format(format ? format : "", {string_format::MakeArgument(args)...});
    }
    template <typename... Args>
    void AppendFormat(const char* format, const Args&... args) {
        m_data += string_format::Format(format ? format : "", {string_format::MakeArgument(args)...});
    }

    // A writable buffer of at least minLength characters (plus terminator); ReleaseBuffer takes the
    // length back: up to the first NUL, or newLength when it is given.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

private:
    std::string m_data;
};

template <>
struct std::hash<CString> {
    size_t operator()(const CString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};
