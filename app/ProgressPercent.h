#pragma once
// The percentage that the progress dialogs show beside their bar.

#include "platform/base/String.h"

// (pos - low) * 100 / (high - low), whole percents; anything but 100 is taken modulo 100, so a position
// beyond high shows the excess. An empty range (high <= low) shows 100 once pos reaches high, else 0.
int ProgressPercent(int pos, int low, int high);
// "42%".
CString ProgressPercentText(int pos, int low, int high);
