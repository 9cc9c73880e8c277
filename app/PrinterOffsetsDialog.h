#pragma once
// The printer offset calibration dialog as the settings dialog opens it. It lives with the printing
// code, which installs it at start-up; tests install a recording one.

#include "platform/print/Spooler.h"

// Shows the dialog modally for the printer record (null allowed).
using PrinterOffsetsDialog = void (*)(PRINTER_INFO_2* printer);

// Installs the dialog (null: none) and returns the one it replaces.
PrinterOffsetsDialog SetPrinterOffsetsDialog(PrinterOffsetsDialog dialog);
// Runs the installed dialog; nothing without one.
void ShowPrinterOffsetsDialog(PRINTER_INFO_2* printer);
