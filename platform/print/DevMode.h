#pragma once
// The printer settings record that stands where the system keeps a device mode, and the device names
// record that travels with it. Both are stored as they lie in memory (little-endian), so their layouts
// are fixed: a device mode is written to the profile as one binary value of dmSize + dmDriverExtra bytes.
//
// DEVMODE is this program's own record: only its field names come from the system. Its version word
// tells it apart from a record that some other program left in the profile.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <bit>
#include <cstddef>

inline constexpr int CCHDEVICENAME = 32;
// The version of our record. A stored record of any other version is refused.
inline constexpr WORD DM_SPECVERSION = 0x0100;

// dmFields: which settings the record carries.
inline constexpr DWORD DM_ORIENTATION = 0x00000001;
inline constexpr DWORD DM_PAPERSIZE = 0x00000002;
inline constexpr DWORD DM_PAPERLENGTH = 0x00000004;
inline constexpr DWORD DM_PAPERWIDTH = 0x00000008;
inline constexpr DWORD DM_SCALE = 0x00000010;
inline constexpr DWORD DM_COPIES = 0x00000100;
inline constexpr DWORD DM_DEFAULTSOURCE = 0x00000200;
inline constexpr DWORD DM_PRINTQUALITY = 0x00000400;
inline constexpr DWORD DM_COLOR = 0x00000800;
inline constexpr DWORD DM_DUPLEX = 0x00001000;
inline constexpr DWORD DM_YRESOLUTION = 0x00002000;
inline constexpr DWORD DM_COLLATE = 0x00008000;

inline constexpr short DMORIENT_PORTRAIT = 1;
inline constexpr short DMORIENT_LANDSCAPE = 2;
inline constexpr short DMCOLOR_MONOCHROME = 1;
inline constexpr short DMCOLOR_COLOR = 2;
inline constexpr short DMDUP_SIMPLEX = 1;
inline constexpr short DMDUP_VERTICAL = 2;
inline constexpr short DMDUP_HORIZONTAL = 3;
// Negative dmPrintQuality values name a quality instead of dots per inch.
inline constexpr short DMRES_DRAFT = -1;
inline constexpr short DMRES_LOW = -2;
inline constexpr short DMRES_MEDIUM = -3;
inline constexpr short DMRES_HIGH = -4;

// Paper sides in tenths of a millimetre fit a SHORT; more than 3 m is no paper any printer takes.
inline constexpr short kMaxPaperSide = 30000;
// Dots per inch above this are not a printer's resolution but a damaged record.
inline constexpr short kMaxPrinterDpi = 9600;

struct DEVMODE {
    char dmDeviceName[CCHDEVICENAME]; // the printer's name, zero-terminated, cut to 31 bytes
    WORD dmSpecVersion;               // DM_SPECVERSION
    WORD dmDriverVersion;
    WORD dmSize;        // sizeof(DEVMODE)
    WORD dmDriverExtra; // bytes of driver data that follow the record
    DWORD dmFields;     // DM_* bits of the settings below that are set
    SHORT dmOrientation;
    SHORT dmPaperSize;   // the paper number (DMPAPER_*, or from DMPAPER_USER on for a printer's own papers)
    SHORT dmPaperLength; // tenths of a millimetre
    SHORT dmPaperWidth;  // tenths of a millimetre
    SHORT dmScale;       // percent
    SHORT dmCopies;
    SHORT dmDefaultSource;
    SHORT dmPrintQuality; // horizontal dots per inch, or a DMRES_* value
    SHORT dmColor;
    SHORT dmDuplex;
    SHORT dmYResolution; // vertical dots per inch
    SHORT dmCollate;
};
using PDEVMODE = DEVMODE*;
using LPDEVMODE = DEVMODE*;

static_assert(std::endian::native == std::endian::little, "stored printer records are little-endian");
static_assert(sizeof(DEVMODE) == 68);
static_assert(offsetof(DEVMODE, dmSpecVersion) == 32 && offsetof(DEVMODE, dmSize) == 36);
static_assert(offsetof(DEVMODE, dmFields) == 40 && offsetof(DEVMODE, dmOrientation) == 44);
static_assert(offsetof(DEVMODE, dmPaperWidth) == 50 && offsetof(DEVMODE, dmCopies) == 54);
static_assert(offsetof(DEVMODE, dmPrintQuality) == 58 && offsetof(DEVMODE, dmYResolution) == 64);

// The names of a printer for a print set-up: offsets in bytes from the start of the record to three
// zero-terminated strings that follow it (driver, device, output port).
struct DEVNAMES {
    WORD wDriverOffset;
    WORD wDeviceOffset;
    WORD wOutputOffset;
    WORD wDefault; // DN_DEFAULTPRN when these are the default printer's names
};
using LPDEVNAMES = DEVNAMES*;
inline constexpr WORD DN_DEFAULTPRN = 0x0001;
static_assert(sizeof(DEVNAMES) == 8);

// The bytes a device mode occupies with its driver data.
inline SIZE_T DevModeBytes(const DEVMODE* devMode) {
    return static_cast<SIZE_T>(devMode->dmSize) + devMode->dmDriverExtra;
}

// TRUE when bytes hold exactly one device mode of our version whose sizes, name and settings are
// possible: the check for every record that comes from outside (the profile, a caller's block).
BOOL IsValidDevMode(const void* data, SIZE_T bytes);

// The printer name as a device mode holds it: cut to at most 31 bytes, never inside a UTF-8 character.
CString DeviceNameOf(const CString& printerName);
// Sets dmDeviceName to the printer name, cut as DeviceNameOf does.
void SetDeviceName(DEVMODE* devMode, const CString& printerName);
// dmDeviceName up to its terminator (or all 32 bytes when it has none).
CString GetDeviceName(const DEVMODE* devMode);
