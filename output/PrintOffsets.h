#pragma once
// The main window's print offsets as the calibration dialog sets them: the main window implements this
// beside IPrintMainWnd, and the dialog finds it on the installed main window.

class IPrintOffsets {
public:
    virtual ~IPrintOffsets() = default;
    // The calibration mark's position in millimetres, which the page renderer reads for later jobs.
    virtual void SetPrintOffsets(float offsetX, float offsetY) = 0;
};
