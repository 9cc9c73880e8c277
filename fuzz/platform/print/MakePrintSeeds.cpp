// Seeds for the printer record fuzzer: a valid device mode and a device names block of a known printer.

#include "platform/print/DevMode.h"

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2)
        return 1;
    const std::string folder = argv[1];

    DEVMODE devMode{};
    SetDeviceName(&devMode, "Fuzz");
    devMode.dmSpecVersion = DM_SPECVERSION;
    devMode.dmSize = sizeof devMode;
    devMode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PRINTQUALITY | DM_YRESOLUTION;
    devMode.dmOrientation = DMORIENT_LANDSCAPE;
    devMode.dmPaperSize = 9;
    devMode.dmPrintQuality = 600;
    devMode.dmYResolution = 600;
    std::vector<char> record(1 + sizeof devMode, 0);
    std::memcpy(record.data() + 1, &devMode, sizeof devMode);
    std::ofstream(folder + "/devmode", std::ios::binary)
        .write(record.data(), static_cast<long>(record.size()));

    const char names[] = "\x01"                             // selector: device names
                         "\x08\x00\x10\x00\x15\x00\x01\x00" // offsets 8, 16, 21; default
                         "Treiber\0Fuzz\0usb:/\0";
    std::ofstream(folder + "/devnames", std::ios::binary).write(names, sizeof names - 1);
    return 0;
}
