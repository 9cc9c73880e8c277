// The installed printer offset calibration dialog.

#include "app/PrinterOffsetsDialog.h"

#include <utility>

namespace {
PrinterOffsetsDialog g_dialog = nullptr;
} // namespace

PrinterOffsetsDialog SetPrinterOffsetsDialog(PrinterOffsetsDialog dialog) {
    return std::exchange(g_dialog, dialog);
}

void ShowPrinterOffsetsDialog(PRINTER_INFO_2* printer) {
    if (g_dialog)
        g_dialog(printer);
}
