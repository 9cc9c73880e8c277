#include "resmanager/InfoDialogs.h"

#include "resmanager/ResourceInfoDlg.h"
#include "resmanager/TemplateInfoDlg.h"

void CInfoDialogs::ShowResourceInfo(CDSObj* entry, UINT dialogTemplate, CWnd* parent) {
    if (!entry)
        return;
    CResourceInfoDlg dialog(entry, dialogTemplate, parent);
    dialog.DoModal();
}

void CInfoDialogs::ShowTemplateInfo(CTemplate* page, CWnd* parent) {
    if (!page)
        return;
    CTemplateInfoDlg dialog(page, parent);
    dialog.DoModal();
}

void InstallInfoDialogs() {
    static CInfoDialogs dialogs;
    SetResourceInfoDialogs(&dialogs);
    SetTemplateInfoOpener(&dialogs);
}
