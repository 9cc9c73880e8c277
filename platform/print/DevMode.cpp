#include "platform/print/DevMode.h"

#include <cstring>

namespace {

bool IsContinuationByte(char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) == 0x80;
}

bool IsPaperSide(SHORT side) {
    return side > 0 && side <= kMaxPaperSide;
}

bool IsResolution(SHORT dpi) {
    return dpi > 0 && dpi <= kMaxPrinterDpi;
}

// Each setting the record says it carries must be one a printer could have.
bool HasPossibleSettings(const DEVMODE& devMode) {
    const DWORD fields = devMode.dmFields;
    if ((fields & DM_ORIENTATION) && devMode.dmOrientation != DMORIENT_PORTRAIT &&
        devMode.dmOrientation != DMORIENT_LANDSCAPE)
        return false;
    if ((fields & DM_PAPERSIZE) && devMode.dmPaperSize < 0)
        return false;
    if ((fields & DM_PAPERWIDTH) && !IsPaperSide(devMode.dmPaperWidth))
        return false;
    if ((fields & DM_PAPERLENGTH) && !IsPaperSide(devMode.dmPaperLength))
        return false;
    if ((fields & DM_COPIES) && devMode.dmCopies < 1)
        return false;
    if ((fields & DM_SCALE) && devMode.dmScale < 1)
        return false;
    if ((fields & DM_PRINTQUALITY) && !IsResolution(devMode.dmPrintQuality) &&
        (devMode.dmPrintQuality < DMRES_HIGH || devMode.dmPrintQuality > DMRES_DRAFT))
        return false;
    if ((fields & DM_YRESOLUTION) && !IsResolution(devMode.dmYResolution))
        return false;
    return true;
}

} // namespace

BOOL IsValidDevMode(const void* data, SIZE_T bytes) {
    if (!data || bytes < sizeof(DEVMODE))
        return FALSE;
    DEVMODE devMode;
    std::memcpy(&devMode, data, sizeof devMode);
    if (devMode.dmSpecVersion != DM_SPECVERSION || devMode.dmSize != sizeof(DEVMODE))
        return FALSE;
    if (DevModeBytes(&devMode) != bytes)
        return FALSE;
    if (!std::memchr(devMode.dmDeviceName, '\0', sizeof devMode.dmDeviceName))
        return FALSE;
    return HasPossibleSettings(devMode) ? TRUE : FALSE;
}

CString DeviceNameOf(const CString& printerName) {
    int length = printerName.GetLength();
    if (length < CCHDEVICENAME)
        return printerName;
    length = CCHDEVICENAME - 1;
    while (length > 0 && IsContinuationByte(printerName[length]))
        --length;
    return printerName.Left(length);
}

void SetDeviceName(DEVMODE* devMode, const CString& printerName) {
    const CString name = DeviceNameOf(printerName);
    std::memset(devMode->dmDeviceName, 0, sizeof devMode->dmDeviceName);
    std::memcpy(devMode->dmDeviceName, name.GetString(), static_cast<size_t>(name.GetLength()));
}

CString GetDeviceName(const DEVMODE* devMode) {
    const void* end = std::memchr(devMode->dmDeviceName, '\0', sizeof devMode->dmDeviceName);
    const int length =
        end ? static_cast<int>(static_cast<const char*>(end) - devMode->dmDeviceName) : CCHDEVICENAME;
    return CString(devMode->dmDeviceName, length);
}
