#pragma once
// The print spooler's functions over the printer system: the installed printers, printer handles, device
// modes and paper lists, called the system's way (ask for the size, then pass a buffer of that size).
//
// Besides the installed printers there is always the built-in PDF printer, listed last, so that the
// program never finds itself without a printer. It is the default printer when the system names none.
//
// User-interface thread only.

#include "platform/base/WinStructs.h"
#include "platform/base/WinTypes.h"
#include "platform/print/DevMode.h"
#include "platform/ui/UiTypes.h"

#include <vector>

inline constexpr char kBuiltInPdfPrinterName[] = "Vellumcraft PDF";

// EnumPrinters flags; every flag but PRINTER_ENUM_DEFAULT lists all printers of this machine.
inline constexpr DWORD PRINTER_ENUM_DEFAULT = 0x00000001;
inline constexpr DWORD PRINTER_ENUM_LOCAL = 0x00000002;
inline constexpr DWORD PRINTER_ENUM_CONNECTIONS = 0x00000004;
inline constexpr DWORD PRINTER_ENUM_NAME = 0x00000008;

inline constexpr DWORD PRINTER_ATTRIBUTE_DEFAULT = 0x00000004;
inline constexpr DWORD PRINTER_ATTRIBUTE_HIDDEN = 0x00000020;
inline constexpr DWORD PRINTER_ATTRIBUTE_LOCAL = 0x00000040;

// DocumentProperties modes. 0 asks for the size of the printer's device mode.
inline constexpr DWORD DM_OUT_BUFFER = 2; // write the printer's settings to the output record
inline constexpr DWORD DM_IN_PROMPT = 4;  // the printer's settings dialog (CPrinterPropertiesDlg)
inline constexpr DWORD DM_IN_BUFFER = 8;  // merge the settings of the input record first

// DeviceCapabilities queries.
inline constexpr WORD DC_PAPERS = 2;           // one WORD paper number per paper
inline constexpr WORD DC_PAPERSIZE = 3;        // one POINT per paper: width and length, tenths of a mm
inline constexpr WORD DC_ENUMRESOLUTIONS = 13; // two LONGs per resolution: x and y dots per inch
inline constexpr WORD DC_PAPERNAMES = 16;      // kPaperNameChars characters per paper, zero-padded
inline constexpr int kPaperNameChars = 64;

// A printer as GetPrinter and EnumPrinters describe it: the record and everything it points to lie in the
// caller's buffer. Names this layer does not know are null.
struct PRINTER_INFO_2 {
    LPSTR pServerName;
    LPSTR pPrinterName; // the queue name
    LPSTR pShareName;
    LPSTR pPortName;   // the device URI
    LPSTR pDriverName; // make and model
    LPSTR pComment;
    LPSTR pLocation;
    DEVMODE* pDevMode; // the printer's settings; null when it cannot be opened
    LPSTR pSepFile;
    LPSTR pPrintProcessor;
    LPSTR pDatatype;
    LPSTR pParameters;
    LPVOID pSecurityDescriptor;
    DWORD Attributes; // PRINTER_ATTRIBUTE_*
    DWORD Priority;
    DWORD DefaultPriority;
    DWORD StartTime;
    DWORD UntilTime;
    DWORD Status;
    DWORD cJobs;
    DWORD AveragePPM;
};
using PPRINTER_INFO_2 = PRINTER_INFO_2*;
using LPPRINTER_INFO_2 = PRINTER_INFO_2*;

// Level 2 only. With a buffer too small (or none): FALSE, ERROR_INSUFFICIENT_BUFFER and the bytes needed.
BOOL EnumPrinters(DWORD flags, LPCSTR name, DWORD level, LPBYTE printerEnum, DWORD bufferBytes,
                  LPDWORD bytesNeeded, LPDWORD returned);
// The level-2 records of the local and connected printers in buffer, sized as the spooler asks; their
// count, 0 when there is none or the enumeration fails.
DWORD EnumerateInstalledPrinters(std::vector<BYTE>& buffer);
// The handle is closed with ClosePrinter. FALSE with ERROR_INVALID_PRINTER_NAME for a printer that is not
// installed or cannot be opened now.
BOOL OpenPrinter(LPCSTR printerName, HANDLE* printer, LPVOID defaults);
BOOL ClosePrinter(HANDLE printer);
// Level 2 only, sized like EnumPrinters.
BOOL GetPrinter(HANDLE printer, DWORD level, LPBYTE printerInfo, DWORD bufferBytes, LPDWORD bytesNeeded);
// Mode 0: the bytes of the printer's device mode. DM_OUT_BUFFER: writes the printer's settings to
// output, after taking over the possible settings of input with DM_IN_BUFFER; IDOK. DM_IN_PROMPT shows
// those settings to the user first: IDOK with the choice in output, or IDCANCEL with output as without
// the prompt. Failure: -1.
LONG DocumentProperties(HWND window, HANDLE printer, LPCSTR deviceName, DEVMODE* output, const DEVMODE* input,
                        DWORD mode);
// With a null output the number of entries; else fills output and returns the same. -1 for an unknown
// printer or query. The port and device mode do not change a printer's papers here.
int DeviceCapabilities(LPCSTR device, LPCSTR port, WORD capability, LPSTR output, const DEVMODE* devMode);
// The default printer's name. bufferChars holds the buffer's size and receives the size needed,
// terminator included; a buffer too small gives FALSE and ERROR_INSUFFICIENT_BUFFER.
BOOL GetDefaultPrinter(LPSTR buffer, LPDWORD bufferChars);
