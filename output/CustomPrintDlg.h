#pragma once
// The print dialog of the print command (template 374): printers, scale and copies; its OK prints.

#include "platform/ui/Dialog.h"

class CCustomPrintDlg : public CDialog {
public:
    explicit CCustomPrintDlg(CWnd* parent) : CDialog(374, parent) {}
};
