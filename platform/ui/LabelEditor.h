#pragma once
// The editor a control opens over an item's label. Return and the loss of the focus end the edit, Escape
// cancels it: the editor posts kEndLabelEdit to its parent control, which then ends the edit once the
// editor's own handler has returned. The editor deletes itself with its window. Private to platform/ui.

#include "platform/ui/Edit.h"

// wParam nonzero cancels; lParam is the editor, so that a late message never ends a later edit.
inline constexpr UINT kEndLabelEdit = WM_USER + 500;
// The editor is wider than the label it covers, so that its frame leaves the text whole.
inline constexpr int kLabelEditorRoom = 40;
inline constexpr int kLabelEditorMinimum = 80;

class LabelEditor final : public CEdit {
protected:
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnKillFocus(CWnd* newWindow) override;
    UINT OnGetDlgCode() override;
    void PostNcDestroy() override;
};
