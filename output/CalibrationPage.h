#pragma once
// The printer calibration page: a corner mark at the position the user gives, with an arrow to the top
// and one to the left edge of the printable area, and the instructions (strings 301 to 303) beside them.

class CDC;

// Draws the page on a printer context inside a page of a job; offsets in millimetres from the sheet's
// top-left corner.
void DrawCalibrationPage(CDC* printerDc, float offsetX, float offsetY);
