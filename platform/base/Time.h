#pragma once
// CTime: a point in time as seconds since 1970 (UTC); the calendar parts are read in local time.

#include "platform/base/String.h"

#include <compare>
#include <ctime>

class CTime {
public:
    CTime() = default;
    CTime(std::time_t time) : m_time(time) {}
    // Local calendar time; nDST < 0 lets the system decide whether daylight saving applies. Fields out of
    // range carry over (month 13 is January of the next year).
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    // Local time from the packed date and time of FAT directories and zip headers (two-second steps).
    CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);

    static CTime GetCurrentTime();

    std::time_t GetTime() const { return m_time; }
    struct tm* GetLocalTm(struct tm* ptm) const;
    struct tm* GetGmtTm(struct tm* ptm) const;

    int GetYear() const;
    int GetMonth() const;     // 1-12
    int GetDay() const;       // 1-31
    int GetHour() const;      // 0-23
    int GetMinute() const;    // 0-59
    int GetSecond() const;    // 0-61
    int GetDayOfWeek() const; // 1 = Sunday

    // strftime codes, in local time or in UTC.
    CString Format(LPCSTR pFormat) const;
    CString FormatGmt(LPCSTR pFormat) const;

    // The packed local date and time; FALSE (both 0) outside the years 1980 to 2107 that they can hold.
    BOOL GetAsDosTime(WORD& wDosDate, WORD& wDosTime) const;

    friend bool operator==(const CTime&, const CTime&) = default;
    friend auto operator<=>(const CTime&, const CTime&) = default;

private:
    struct tm LocalParts() const;

    std::time_t m_time = 0;
};
