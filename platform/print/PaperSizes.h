#pragma once
// The system's paper numbers (a device mode's dmPaperSize) and Qt's page sizes, both ways.

#include "platform/base/WinTypes.h"

#include <QPageSize>
#include <optional>
#include <span>

inline constexpr SHORT DMPAPER_LETTER = 1;
inline constexpr SHORT DMPAPER_LEGAL = 5;
inline constexpr SHORT DMPAPER_EXECUTIVE = 7;
inline constexpr SHORT DMPAPER_A3 = 8;
inline constexpr SHORT DMPAPER_A4 = 9;
inline constexpr SHORT DMPAPER_A5 = 11;
inline constexpr SHORT DMPAPER_B4 = 12; // JIS B4
inline constexpr SHORT DMPAPER_B5 = 13; // JIS B5
inline constexpr SHORT DMPAPER_ENV_DL = 27;
inline constexpr SHORT DMPAPER_ENV_C5 = 28;
inline constexpr SHORT DMPAPER_JAPANESE_POSTCARD = 43;
inline constexpr SHORT DMPAPER_A2 = 66;
inline constexpr SHORT DMPAPER_A6 = 70;
// Papers a printer knows that have no number of their own are numbered from here on.
inline constexpr SHORT DMPAPER_USER = 256;

struct PaperSizeEntry {
    SHORT number;
    QPageSize::PageSizeId pageSize;
    SHORT width;  // tenths of a millimetre, as the number defines the paper (a few are wider than long)
    SHORT length; // tenths of a millimetre
};

// The paper of a number, or nothing for a number without a Qt page size.
std::optional<PaperSizeEntry> FindPaperByNumber(SHORT number);
// The paper number of a Qt page size, or nothing when it has none.
std::optional<SHORT> PaperNumberOfPageSize(QPageSize::PageSizeId pageSize);
// Every paper of the table, by number.
std::span<const PaperSizeEntry> PaperSizeTable();
