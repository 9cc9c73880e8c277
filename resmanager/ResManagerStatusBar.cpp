// The status bar's two controls, placed over their panes whenever the bar changes size.

#include "resmanager/ResManagerStatusBar.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/Static.h"

namespace {

constexpr UINT kTextControlId = 1000;
constexpr UINT kProgressControlId = 1001;

} // namespace

CResManagerStatusBar::~CResManagerStatusBar() {
    delete m_pProgress;
    delete m_pText;
    delete m_pFont;
}

int CResManagerStatusBar::OnCreate(LPCREATESTRUCT create) {
    if (CStatusBar::OnCreate(create) == -1)
        return -1;
    static constexpr UINT kPanes[] = {ID_SEPARATOR, ID_SEPARATOR};
    SetIndicators(kPanes, 2);
    CRect pane;
    GetItemRect(0, &pane);
    m_pText = new CStatic;
    if (!m_pText->Create("", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, pane, this,
                         kTextControlId)) {
        delete m_pText;
        m_pText = nullptr;
    } else if (CFont* barFont = GetFont()) {
        LOGFONT logFont{};
        barFont->GetLogFont(&logFont);
        m_pFont = new CFont;
        if (m_pFont->CreateFontIndirect(&logFont))
            m_pText->SetFont(m_pFont, FALSE);
    }
    GetItemRect(1, &pane);
    m_pProgress = new CProgressCtrl;
    if (!m_pProgress->Create(WS_CHILD | PBS_SMOOTH, pane, this, kProgressControlId)) {
        delete m_pProgress;
        m_pProgress = nullptr;
    }
    return 0;
}

void CResManagerStatusBar::PlaceControls() {
    CRect pane;
    if (m_pProgress) {
        GetItemRect(1, &pane);
        m_pProgress->SetWindowPos(nullptr, pane.left, pane.top, pane.Width(), pane.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_pText) {
        GetItemRect(0, &pane);
        m_pText->SetWindowPos(nullptr, pane.left, pane.top, pane.Width(), pane.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CResManagerStatusBar::OnSize(UINT type, int cx, int cy) {
    CStatusBar::OnSize(type, cx, cy);
    PlaceControls();
}

void CResManagerStatusBar::OnDestroy() {
    CStatusBar::OnDestroy();
    if (m_pProgress)
        m_pProgress->DestroyWindow();
    if (m_pText)
        m_pText->DestroyWindow();
    delete m_pProgress;
    delete m_pText;
    delete m_pFont;
    m_pProgress = nullptr;
    m_pText = nullptr;
    m_pFont = nullptr;
}

void CResManagerStatusBar::BeginProgress(int lower, int upper, int step, int showCommand) {
    m_pProgress->SetRange32(lower, upper);
    m_pProgress->SetPos(lower);
    m_pProgress->SetStep(step);
    m_pProgress->ShowWindow(showCommand);
}

int CResManagerStatusBar::StepProgress() {
    return m_pProgress->StepIt();
}

void CResManagerStatusBar::SetStatusText(LPCTSTR text) {
    if (m_pText)
        m_pText->SetWindowText(text ? text : "");
}
