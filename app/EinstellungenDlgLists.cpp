// The settings dialog's five lists: albums of a kind, the page templates named in the templates'
// "Templ.dat", the sources of the main window's acquisition; and their repainting over the skin.

#include "app/EinstellungenDlg.h"
#include "app/MainWnd.h"
#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/Profile.h"
#include "platform/base/StdioFile.h"
#include "platform/scan/TwainTypes.h"
#include "platform/ui/WaitCursor.h"

#include <memory>

namespace {

constexpr char kSettings[] = "Settings";
// A "Templ.dat" line names its template in the seventh of its ";"-separated fields.
constexpr int kTemplateNameField = 6;

void SelectStored(CMyComboBox& list, const CString& value) {
    list.SetCurSel(list.FindStringExact(-1, value));
}

// The seventh field of a line, or the rest of the line when it has fewer separators.
CString TemplateName(CString line) {
    for (int field = 0; field < kTemplateNameField; ++field) {
        const int separator = line.Find(';');
        if (separator < 0)
            break;
        line = line.Mid(separator + 1);
    }
    const int end = line.Find(';');
    return end < 0 ? line : line.Left(end);
}

} // namespace

BOOL CEinstellungenDlg::FillAlbumList(CMyComboBox& list, int kindType, LPCTSTR value) {
    list.ResetContent();
    CDSObjMgr* manager = GetDSObjMgr();
    CResType* kind = manager ? manager->GetResType(kindType) : nullptr;
    if (!kind)
        return FALSE;
    // The user's albums; the built-in ones (disk, scanner, camera, recent) are no defaults.
    CTypedPtrList<CObList, CDSAlbum*>& albums = kind->GetAlbumList(false);
    for (POSITION position = albums.GetHeadPosition(); position;) {
        CDSAlbum* album = albums.GetNext(position);
        const int index = list.AddString(album->GetTitle());
        list.SetItemData(index, reinterpret_cast<DWORD_PTR>(album));
    }
    SelectStored(list, GetProfileString(kSettings, value));
    return TRUE;
}

BOOL CEinstellungenDlg::FillTemplateList() {
    CString stored = GetProfileString(kSettings, "Template");
    if (stored.IsEmpty())
        stored = CMainWnd::GetNoneText();
    m_templateList->ResetContent();
    CDSObjMgr* manager = GetDSObjMgr();
    if (CResType* kind = manager ? manager->GetResType(kResTypePrintTemplates) : nullptr) {
        CStdioFile file;
        if (!file.Open(manager->GetDataDir() + kind->GetSubDirectory() + "/Templ.dat",
                       CFile::modeRead | CFile::typeText))
            return FALSE;
        CString line;
        while (file.ReadString(line)) {
            const CString name = TemplateName(line);
            if (m_templateList->FindStringExact(-1, name) < 0)
                m_templateList->AddString(name);
        }
    }
    SelectStored(*m_templateList, stored);
    return TRUE;
}

BOOL CEinstellungenDlg::FillSourceList() {
    CWaitCursor wait;
    CString stored = GetProfileString(kSettings, "TwainSource");
    if (stored.IsEmpty())
        stored = CMainWnd::GetNoneText();
    m_sourceList->ResetContent();
    m_sourceList->AddString(CMainWnd::GetNoneText());
    CPtrList sources;
    if (!m_mainWnd || !m_mainWnd->GetSourceList(sources))
        return FALSE;
    for (POSITION position = sources.GetHeadPosition(); position;) {
        const std::unique_ptr<TW_IDENTITY> source(static_cast<TW_IDENTITY*>(sources.GetNext(position)));
        const int index = m_sourceList->AddString(source->ProductName);
        m_sourceList->SetItemData(index, source->Id);
    }
    SelectStored(*m_sourceList, stored);
    return TRUE;
}

void CEinstellungenDlg::RedrawLists() {
    for (CMyComboBox* list : {m_albumList.get(), m_frameList.get(), m_stencilList.get(), m_templateList.get(),
                              m_sourceList.get()}) {
        if (!list || !list->GetSafeHwnd())
            continue;
        list->Invalidate(TRUE);
        CRect beneath;
        list->GetWindowRect(&beneath);
        ScreenToClient(&beneath);
        InvalidateRect(&beneath, TRUE);
    }
    UpdateWindow();
}
