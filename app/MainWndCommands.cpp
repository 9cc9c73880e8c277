// The main window's command table, the commands that only ask or open another window, and what it sees
// of every message first. What is not in the table goes on to the default handling.

#include "app/AboutDlg.h"
#include "app/AlbumDialog.h"
#include "app/CategoryPanel.h"
#include "app/MainWnd.h"
#include "page/PreviewWnd.h"
#include "platform/base/AppServices.h"
#include "platform/ui/CommandMap.h"

namespace {

constexpr UINT kDisplayChangedId = 163;
constexpr UINT kSaveQuestionId = 215;
constexpr UINT kTextOnlyInEditModeId = 249;

const CommandEntry<CMainWnd> kCommands[] = {
    {1000, BN_CLICKED, &CMainWnd::OnMinimize},      {1001, BN_CLICKED, &CMainWnd::OnCloseButton},
    {1003, BN_CLICKED, &CMainWnd::OnAbout},         {2047, BN_CLICKED, &CMainWnd::OnLoad},
    {2048, BN_CLICKED, &CMainWnd::OnSave},          {2080, BN_CLICKED, &CMainWnd::OnNormalMode},
    {2081, BN_CLICKED, &CMainWnd::OnEditMode},      {2099, BN_CLICKED, &CMainWnd::OnText},
    {32791, 0, &CMainWnd::OnSaveProjectCommand},    {32792, 0, &CMainWnd::OnSaveAsHtmlCommand},
    {32793, 0, &CMainWnd::OnExportPictureCommand},  {1004, BN_CLICKED, &CMainWnd::OnDisk},
    {2050, BN_CLICKED, &CMainWnd::OnCamera},        {2051, BN_CLICKED, &CMainWnd::OnScanner},
    {2040, BN_CLICKED, &CMainWnd::OnEinstellungen}, {2029, BN_CLICKED, &CMainWnd::OnAlbum},
    {2040, BN_CLICKED, &CMainWnd::OnEinstellungen}, {2101, BN_CLICKED, &CMainWnd::OnResourceManager},
    {2040, BN_CLICKED, &CMainWnd::OnEinstellungen}, {2100, BN_CLICKED, &CMainWnd::OnInternet},
};

// The print button and the knob's print zone.
const CommandEntry<CMainWnd> kPrintCommands[] = {
    {1007, BN_CLICKED, &CMainWnd::PrintCurrentPage},
    {2024, BN_CLICKED, &CMainWnd::PrintWithDialog},
};

// Question 215 with the program's name; the pressed button.
int AskToSave(UINT buttons) {
    CString question;
    question.Format(AppServices().LoadString(kSaveQuestionId), AppServices().GetAppName().GetString());
    return AppServices().MessageBoxText(question, buttons | MB_ICONQUESTION);
}

} // namespace

BOOL CMainWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    return DispatchCommand(*this, kCommands, wParam) || DispatchCommand(*this, kPrintCommands, wParam) ||
           OnPictureCommand(wParam) || CWnd::OnCommand(wParam, lParam);
}

BOOL CMainWnd::PreTranslateMessage(MSG* message) {
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(message);
    if (ProcessMessage(message))
        return TRUE;
    return CWnd::PreTranslateMessage(message);
}

LRESULT CMainWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_DISPLAYCHANGE)
        return CWnd::WindowProc(message, wParam, lParam);
    OnDisplayChange();
    return 0;
}

void CMainWnd::OnClose() {
    ClearUndo();
    CWnd::OnClose();
}

void CMainWnd::OnMinimize() {
    ShowWindow(SW_MINIMIZE);
}

// A modified project is offered for saving first; Cancel, or a save that does not happen, keeps the
// program running.
void CMainWnd::OnCloseButton() {
    if (m_modified) {
        const int answer = AskToSave(MB_YESNOCANCEL);
        if (answer == IDCANCEL || (answer == IDYES && !OnSaveProject()))
            return;
    }
    PostMessage(WM_CLOSE);
}

void CMainWnd::OnAbout() {
    CAboutDlg about(this);
    about.DoModal();
}

// The click comes before the knob turns. A confirmed album goes into the category panel with its photo.
void CMainWnd::OnAlbum() {
    PlayClickSound();
    HighlightKnob(kZoneAlbum);
    AlbumChoice choice;
    if (RunAlbumDialog(this, choice) != IDOK)
        return;
    ICategoryPanel* panel = GetCategoryPanel();
    if (SetCurrentAlbum(choice.album) && panel) {
        panel->SelectCategory(0);
        panel->ReloadAlbums();
        panel->SelectItem(choice.album, FALSE);
    }
    if (!panel)
        return;
    panel->ShowPage(choice.photoIndex);
    if (auto* window = dynamic_cast<CWnd*>(panel))
        window->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CMainWnd::OnText() {
    if (!AppServices().IsEditMode()) {
        AppServices().MessageBox(kTextOnlyInEditModeId);
        return;
    }
    if (CPreviewWnd* canvas = Canvas())
        canvas->BeginCapture(kDragNewText);
}

void CMainWnd::OnDisplayChange() {
    AppServices().MessageBox(kDisplayChangedId, MB_ICONINFORMATION);
    if (m_modified && AskToSave(MB_YESNO) == IDYES && !OnSaveProject())
        return;
    PostMessage(WM_CLOSE);
}
