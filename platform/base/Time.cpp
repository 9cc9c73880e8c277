#include "platform/base/Time.h"

#include <vector>

namespace {

constexpr int kDosEpochYear = 1980;
constexpr int kDosLastYear = kDosEpochYear + 127; // seven bits of year

CString FormatParts(const struct tm& parts, LPCSTR pFormat) {
    if (!pFormat || !*pFormat) {
        return CString();
    }
    // strftime reports 0 both for a full buffer and for an empty result, so grow a few times at most.
    for (size_t size = 128; size <= 64 * 1024; size *= 4) {
        std::vector<char> buffer(size);
        const size_t written = std::strftime(buffer.data(), buffer.size(), pFormat, &parts);
        if (written > 0) {
            return CString(buffer.data(), static_cast<int>(written));
        }
    }
    return CString();
}

} // namespace

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
    struct tm parts {};
    parts.tm_year = nYear - 1900;
    parts.tm_mon = nMonth - 1;
    parts.tm_mday = nDay;
    parts.tm_hour = nHour;
    parts.tm_min = nMin;
    parts.tm_sec = nSec;
    parts.tm_isdst = nDST < 0 ? -1 : (nDST > 0 ? 1 : 0);
    m_time = std::mktime(&parts);
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : CTime(kDosEpochYear + (wDosDate >> 9), (wDosDate >> 5) & 0x0F, wDosDate & 0x1F, wDosTime >> 11,
            (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2, nDST) {}

CTime CTime::GetCurrentTime() {
    return CTime(std::time(nullptr));
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const {
    return ptm ? localtime_r(&m_time, ptm) : nullptr;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const {
    return ptm ? gmtime_r(&m_time, ptm) : nullptr;
}

struct tm CTime::LocalParts() const {
    struct tm parts {};
    localtime_r(&m_time, &parts);
    return parts;
}

int CTime::GetYear() const {
    return LocalParts().tm_year + 1900;
}
int CTime::GetMonth() const {
    return LocalParts().tm_mon + 1;
}
int CTime::GetDay() const {
    return LocalParts().tm_mday;
}
int CTime::GetHour() const {
    return LocalParts().tm_hour;
}
int CTime::GetMinute() const {
    return LocalParts().tm_min;
}
int CTime::GetSecond() const {
    return LocalParts().tm_sec;
}
int CTime::GetDayOfWeek() const {
    return LocalParts().tm_wday + 1;
}

CString CTime::Format(LPCSTR pFormat) const {
    return FormatParts(LocalParts(), pFormat);
}

CString CTime::FormatGmt(LPCSTR pFormat) const {
    struct tm parts {};
    gmtime_r(&m_time, &parts);
    return FormatParts(parts, pFormat);
}

BOOL CTime::GetAsDosTime(WORD& wDosDate, WORD& wDosTime) const {
    wDosDate = 0;
    wDosTime = 0;
    const struct tm parts = LocalParts();
    const int year = parts.tm_year + 1900;
    if (year < kDosEpochYear || year > kDosLastYear) {
        return FALSE;
    }
    wDosDate = static_cast<WORD>(((year - kDosEpochYear) << 9) | ((parts.tm_mon + 1) << 5) | parts.tm_mday);
    // A leap second (60) still fits the five bits of halves.
    wDosTime = static_cast<WORD>((parts.tm_hour << 11) | (parts.tm_min << 5) | (parts.tm_sec / 2));
    return TRUE;
}
