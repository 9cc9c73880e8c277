#include "app/ProgressLabel.h"

#include "app/ProgressPercent.h"
#include "platform/ui/Wnd.h"

void ShowProgressPercent(CWnd& dialog, int pos, int low, int high) {
    const CString text = ProgressPercentText(pos, low, high);
    CString shown;
    dialog.GetDlgItemText(kProgressLabelId, shown);
    if (shown != text)
        dialog.SetDlgItemText(kProgressLabelId, text);
}
