#pragma once
// The percentage label (control 1004) that both progress dialogs keep beside their bar.

class CWnd;

inline constexpr int kProgressBarId = 1003;
inline constexpr int kProgressLabelId = 1004;

// Sets the label to the percentage of pos in the range; an unchanged text is not set again, so the
// label does not flicker on every small step.
void ShowProgressPercent(CWnd& dialog, int pos, int low, int high);
