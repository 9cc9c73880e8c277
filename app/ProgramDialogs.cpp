// Runs the page canvas's dialogs; a dialog whose template is missing answers Cancel, so that nothing
// goes on as if the user had agreed.

#include "app/ProgramDialogs.h"

#include "albums/DeleteImageDlg.h"
#include "app/SaveProjectDlg.h"
#include "editing/FontPropertiesDlg.h"
#include "editing/ObjPositionDlg.h"
#include "page/PreviewWnd.h"

namespace {

int Answer(INT_PTR result) {
    return result == -1 ? IDCANCEL : static_cast<int>(result);
}

} // namespace

int CProgramDialogs::RunFontProperties(CDrawText* text, CWnd* parent) {
    if (!text)
        return IDCANCEL;
    CFontPropertiesDlg dialog(*text, dynamic_cast<CPreviewWnd*>(parent));
    return Answer(dialog.DoModal());
}

int CProgramDialogs::RunObjPosition(CDrawObj* object, ObjPosition& position) {
    if (!object)
        return IDCANCEL;
    CObjPositionDlg dialog(*object);
    const int answer = Answer(dialog.DoModal());
    if (answer == IDOK)
        position = {dialog.GetWidth(), dialog.GetHeight(), dialog.GetX(), dialog.GetY(),
                    dialog.GetRotation()};
    return answer;
}

int CProgramDialogs::RunDeleteImage(int stencilState, int matState, DeleteImageOptions& options) {
    return RunDeleteImageDlg(stencilState, matState, options);
}

int CProgramDialogs::RunSaveProject() {
    CSaveProjectDlg dialog;
    return Answer(dialog.DoModal());
}
