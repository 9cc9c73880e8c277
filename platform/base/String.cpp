#include "platform/base/String.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <cctype>

#include "platform/base/TextEncoding.h"

namespace {

bool IsBlank(char ch) { return std::isspace(static_cast<unsigned char>(ch)) != 0; }

int Sign(int value) { return (value > 0) - (value < 0); }

// Unicode-aware case mapping for valid UTF-8; byte text that is not UTF-8 maps ASCII letters only.
template <typename UnicodeMap, typename AsciiMap>
std::string MapCase(const std::string& text, UnicodeMap unicodeMap, AsciiMap asciiMap) {
    if (!IsValidUtf8(text)) {
        std::string out = text;
        for (char& ch : out) {
            if (static_cast<unsigned char>(ch) < 0x80)
                ch = static_cast<char>(asciiMap(static_cast<unsigned char>(ch)));
        }
        return out;
    }
    const QByteArray mapped = unicodeMap(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return std::string(mapped.constData(), static_cast<size_t>(mapped.size()));
}

QString ToQString(std::string_view text) {
    if (IsValidUtf8(text))
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const std::string utf8 = Windows1252ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QCollator& GermanCollator(bool ignoreCase) {
    thread_local QCollator caseSensitive = [] {
        QCollator c(QLocale(QLocale::German, QLocale::Germany));
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    thread_local QCollator caseInsensitive = [] {
        QCollator c(QLocale(QLocale::German, QLocale::Germany));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return ignoreCase ? caseInsensitive : caseSensitive;
}

int ClampIndex(int index, int length) { return std::clamp(index, 0, length); }

} // namespace

int CString::Compare(const char* other) const { return Sign(m_data.compare(other ? other : "")); }

int CString::CompareNoCase(const char* other) const {
    const std::string_view rhs(other ? other : "");
    if (IsValidUtf8(m_data) && IsValidUtf8(rhs))
        return Sign(ToQString(m_data).compare(ToQString(rhs), Qt::CaseInsensitive));
    std::string a = m_data, b(rhs);
    auto lower = [](std::string& s) {
        for (char& ch : s)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    };
    lower(a), lower(b);
    return Sign(a.compare(b));
}

int CString::Collate(const char* other) const {
    return Sign(GermanCollator(false).compare(ToQString(m_data), ToQString(other ? other : "")));
}

int CString::CollateNoCase(const char* other) const {
    return Sign(GermanCollator(true).compare(ToQString(m_data), ToQString(other ? other : "")));
}

CString CString::GetCaseFolded() const {
    // Plain ASCII, the common case of names, folds without a round trip through UTF-16.
    if (std::all_of(m_data.begin(), m_data.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; })) {
        std::string folded = m_data;
        for (char& ch : folded)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        return CString(std::move(folded));
    }
    return CString(MapCase(m_data, [](const QString& s) { return s.toCaseFolded().toUtf8(); }, ::tolower));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    const int start = ClampIndex(first, GetLength());
    const int n = std::clamp(count, 0, GetLength() - start);
    return CString(m_data.substr(static_cast<size_t>(start), static_cast<size_t>(n)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
    const int n = ClampIndex(count, GetLength());
    return Mid(GetLength() - n, n);
}

CString CString::SpanIncluding(const char* set) const {
    const size_t end = m_data.find_first_not_of(set ? set : "");
    return CString(m_data.substr(0, end));
}

CString CString::SpanExcluding(const char* set) const {
    const size_t end = m_data.find_first_of(set ? set : "");
    return CString(m_data.substr(0, end));
}

CString& CString::MakeUpper() {
    m_data = MapCase(m_data, [](const QString& s) { return s.toUpper().toUtf8(); }, ::toupper);
    return *this;
}

CString& CString::MakeLower() {
    m_data = MapCase(m_data, [](const QString& s) { return s.toLower().toUtf8(); }, ::tolower);
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_data.begin(), m_data.end());
    return *this;
}

int CString::Replace(char oldChar, char newChar) {
    int count = 0;
    for (char& ch : m_data) {
        if (ch == oldChar) {
            ch = newChar;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText) {
    const std::string_view from(oldText ? oldText : "");
    const std::string_view to(newText ? newText : "");
    if (from.empty())
        return 0;
    int count = 0;
    std::string out;
    size_t pos = 0;
    for (size_t hit; (hit = m_data.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
        out.append(m_data, pos, hit - pos).append(to);
        ++count;
    }
    if (count > 0) {
        out.append(m_data, pos);
        m_data = std::move(out);
    }
    return count;
}

int CString::Remove(char ch) {
    const auto removed = std::erase(m_data, ch);
    return static_cast<int>(removed);
}

int CString::Insert(int index, char ch) { return Insert(index, std::string(1, ch).c_str()); }

int CString::Insert(int index, const char* text) {
    m_data.insert(static_cast<size_t>(ClampIndex(index, GetLength())), text ? text : "");
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index >= 0 && index < GetLength() && count > 0)
        m_data.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

CString& CString::TrimLeft() {
    const auto first = std::find_if_not(m_data.begin(), m_data.end(), IsBlank);
    m_data.erase(m_data.begin(), first);
    return *this;
}

CString& CString::TrimLeft(char ch) { return TrimLeft(std::string(1, ch).c_str()); }

CString& CString::TrimLeft(const char* set) {
    m_data.erase(0, std::min(m_data.find_first_not_of(set ? set : ""), m_data.size()));
    return *this;
}

CString& CString::TrimRight() {
    const auto last = std::find_if_not(m_data.rbegin(), m_data.rend(), IsBlank);
    m_data.erase(last.base(), m_data.end());
    return *this;
}

CString& CString::TrimRight(char ch) { return TrimRight(std::string(1, ch).c_str()); }

CString& CString::TrimRight(const char* set) {
    const size_t keep = m_data.find_last_not_of(set ? set : "");
    m_data.erase(keep == std::string::npos ? 0 : keep + 1);
    return *this;
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start >= GetLength())
        return -1;
    const size_t hit = m_data.find(ch, static_cast<size_t>(start));
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::Find(const char* text, int start) const {
    if (start < 0 || start > GetLength())
        return -1;
    const size_t hit = m_data.find(text ? text : "", static_cast<size_t>(start));
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::ReverseFind(char ch) const {
    const size_t hit = m_data.rfind(ch);
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::FindOneOf(const char* set) const {
    const size_t hit = m_data.find_first_of(set ? set : "");
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        m_data.resize(static_cast<size_t>(minLength));
    return m_data.data();
}

char* CString::GetBufferSetLength(int length) {
    m_data.resize(static_cast<size_t>(std::max(length, 0)));
    return m_data.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0)
        newLength = static_cast<int>(strnlen(m_data.c_str(), m_data.size()));
    m_data.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}
