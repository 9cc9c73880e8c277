// The file dialog's window: the chooser on top, the page beneath, one modal loop; the chosen names are
// checked (default extension, overwrite question, the object's own check) before the loop ends.

#include "platform/ui/FileDialog.h"

#include "platform/base/AppServices.h"
#include "platform/base/DialogTemplate.h"
#include "platform/base/Resource.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/MessageBoxPresenter.h"
#include "platform/ui/WindowInternals.h"

#include <QDir>
#include <QStandardPaths>
#include <algorithm>
#include <cstring>
#include <filesystem>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {

// Texts of the text module.
constexpr UINT kOpenCaption = 64100;
constexpr UINT kSaveCaption = 64101;
constexpr UINT kOverwriteQuestion = 64102; // %s: the file's name
constexpr UINT kTooManyFiles = 64103;

constexpr int kChooserWidth = 720;
constexpr int kChooserHeight = 420;
constexpr DWORD kPathBufferSize = 4096;

CString FolderOf(const CString& path) {
    const int slash = path.ReverseFind('/');
    return slash < 0 ? CString() : slash == 0 ? CString("/") : path.Left(slash);
}

// Where a chooser without a folder starts, as the system's does: the documents folder, or the home
// folder where a new user has none yet (never the working folder, which the desktop chose).
CString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return CString((QDir(documents).exists() ? documents : QDir::homePath()).toStdString());
}

CString NameOf(const CString& path) {
    return path.Mid(path.ReverseFind('/') + 1);
}

CString Joined(const CString& folder, const CString& name) {
    if (name.Left(1) == "/" || folder.IsEmpty())
        return name;
    return folder.Right(1) == "/" ? folder + name : folder + '/' + name;
}

} // namespace

// The window around chooser and page: Enter accepts the name field, Esc and the close box cancel.
class CFileDialog::Frame final : public CDialog {
public:
    explicit Frame(CFileDialog& dialog) : m_dialog(dialog) {}
    void OnOK() override { GetFileChooser().Accept(); }
    void OnCancel() override { m_dialog.EndFrame(IDCANCEL); }

private:
    CFileDialog& m_dialog;
};

UINT_PTR FileDialogHookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = dynamic_cast<CFileDialog*>(CWnd::FromHandlePermanent(window));
    if (!dialog)
        return 0;
    return static_cast<UINT_PTR>(dialog->CDialog::WindowProc(message, wParam, lParam));
}

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags,
                         LPCTSTR filter, CWnd* parent)
    : CDialog(0, parent), m_bOpenFileDialog(openFileDialog),
      m_defaultExtension(defaultExtension ? defaultExtension : ""), m_filterList(FilterListFromText(filter)),
      m_fileBuffer(kPathBufferSize, '\0') {
    m_ofn.Flags = flags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpstrDefExt = defaultExtension ? m_defaultExtension.GetString() : nullptr;
    m_ofn.lpstrFilter = filter ? m_filterList.data() : nullptr;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = kPathBufferSize;
    if (fileName)
        std::strncpy(m_fileBuffer.data(), fileName, kPathBufferSize - 1);
    m_ofn.lpfnHook = FileDialogHookProc;
}

INT_PTR CFileDialog::DoModal() {
    DialogTemplate page;
    if (!LoadPage(page))
        return -1;
    CWnd* ownerWindow = m_ofn.hwndOwner ? CWnd::FromHandle(m_ofn.hwndOwner)->GetTopLevelParent()
                        : m_pParentWnd  ? m_pParentWnd->GetTopLevelParent()
                                        : CWnd::GetActiveWindow();
    const HWND owner = ownerWindow ? ownerWindow->m_hWnd : nullptr;
    const bool disableOwner = ownerWindow && ownerWindow->IsWindowEnabled();
    if (disableOwner)
        ownerWindow->EnableWindow(FALSE);

    const int width = std::max<int>(kChooserWidth, page.size.cx);
    DialogTemplate frameTemplate;
    frameTemplate.size = CSize(width, kChooserHeight + page.size.cy);
    frameTemplate.caption = Caption();
    frameTemplate.style = {"WS_POPUP", "WS_CAPTION", "WS_SYSMENU", "DS_MODALFRAME"};
    Frame frame(*this);
    m_ended = false;
    m_frame = CreateDialogWindow(frameTemplate, owner, &frame, true);
    INT_PTR result = -1;
    if (m_frame) {
        const FileChooserRequest request = MakeRequest();
        // An index beyond the list means its first type, and says so to the page.
        if (!request.types.empty())
            m_ofn.nFilterIndex = static_cast<DWORD>(request.typeIndex + 1);
        IFileChooser& chooser = GetFileChooser();
        chooser.Open(WidgetOf(m_frame), QRect(ClientOffset(m_frame), QSize(width, kChooserHeight)), request,
                     *this);
        page.style = {"WS_CHILD"};
        page.exStyle.clear();
        if (CreateDialogWindow(page, m_frame, this, false)) {
            MoveWindow(0, kChooserHeight, width, page.size.cy);
            ShowWindow(SW_SHOW);
            result = RunModalDialog(m_frame);
        }
        chooser.Close();
    }
    // The owner comes back first, so that it is active again when the dialog goes.
    if (disableOwner && IsWindow(owner))
        ownerWindow->EnableWindow(TRUE);
    if (IsWindow(m_frame))
        ::DestroyWindow(m_frame);
    m_frame = nullptr;
    return result;
}

bool CFileDialog::LoadPage(DialogTemplate& page) const {
    if (!(m_ofn.Flags & OFN_ENABLETEMPLATE))
        return true;
    if (!m_ofn.lpTemplateName || !IS_INTRESOURCE(m_ofn.lpTemplateName))
        return false;
    const HINSTANCE module = m_ofn.hInstance ? m_ofn.hInstance : AfxGetResourceHandle();
    const auto id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(m_ofn.lpTemplateName));
    return LoadDialogTemplate(module, id, page);
}

FileChooserRequest CFileDialog::MakeRequest() const {
    FileChooserRequest request;
    request.save = !m_bOpenFileDialog;
    request.multiSelect = m_bOpenFileDialog && (m_ofn.Flags & OFN_ALLOWMULTISELECT);
    const CString proposed = m_ofn.lpstrFile ? CString(m_ofn.lpstrFile) : CString();
    request.fileName = NameOf(proposed);
    request.folder =
        m_ofn.lpstrInitialDir && *m_ofn.lpstrInitialDir ? CString(m_ofn.lpstrInitialDir) : FolderOf(proposed);
    if (request.folder.IsEmpty())
        request.folder = DocumentsFolder();
    request.types = ReadFilterList(m_ofn.lpstrFilter);
    const int index = static_cast<int>(m_ofn.nFilterIndex) - 1;
    request.typeIndex = index >= 0 && index < static_cast<int>(request.types.size()) ? index : 0;
    return request;
}

CString CFileDialog::Caption() const {
    if (m_ofn.lpstrTitle)
        return m_ofn.lpstrTitle;
    return AppServices().LoadString(m_bOpenFileDialog ? kOpenCaption : kSaveCaption);
}

void CFileDialog::OnOK() {
    GetFileChooser().Accept();
}

void CFileDialog::OnCancel() {
    EndFrame(IDCANCEL);
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!m_frame || header->hwndFrom != m_frame)
        return CDialog::OnNotify(wParam, lParam, result);
    switch (header->code) {
    case CDN_TYPECHANGE:
        OnTypeChange();
        *result = 0;
        return TRUE;
    case CDN_FILEOK:
        *result = OnFileNameOK();
        return TRUE;
    default:
        return CDialog::OnNotify(wParam, lParam, result);
    }
}

LRESULT CFileDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // From WM_INITDIALOG on, as a dialog procedure sees the page's messages.
    if (message == WM_INITDIALOG)
        m_hooked = true;
    if (!m_hooked || !m_ofn.lpfnHook)
        return CDialog::WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        m_hooked = false;
    return static_cast<LRESULT>(m_ofn.lpfnHook(m_hWnd, message, wParam, lParam));
}

void CFileDialog::OnTypeChosen(int typeIndex) {
    if (m_ended)
        return;
    m_ofn.nFilterIndex = static_cast<DWORD>(typeIndex + 1);
    SendFileNotify(CDN_TYPECHANGE);
}

bool CFileDialog::OnFilesChosen(const std::vector<CString>& chosen) {
    if (m_ended || chosen.empty())
        return false;
    std::vector<CString> paths = chosen;
    const bool multiSelect = m_bOpenFileDialog && (m_ofn.Flags & OFN_ALLOWMULTISELECT);
    if (!multiSelect)
        paths.resize(1);
    if (paths.size() == 1) {
        const std::vector<FileTypeFilter> types = ReadFilterList(m_ofn.lpstrFilter);
        const size_t index = m_ofn.nFilterIndex - 1;
        paths.front() = WithDefaultExtension(paths.front(), index < types.size() ? &types[index] : nullptr,
                                             m_ofn.lpstrDefExt);
    }
    if (!m_bOpenFileDialog && (m_ofn.Flags & OFN_OVERWRITEPROMPT) && !ConfirmOverwrite(paths.front()))
        return false;
    if (!StoreResult(paths) || SendFileNotify(CDN_FILEOK))
        return false;
    EndFrame(IDOK);
    return true;
}

void CFileDialog::OnCancelled() {
    EndFrame(IDCANCEL);
}

bool CFileDialog::ConfirmOverwrite(const CString& path) const {
    std::error_code error;
    if (!std::filesystem::exists(path.GetString(), error))
        return true;
    CString question;
    question.Format(AppServices().LoadString(kOverwriteQuestion), NameOf(path));
    // No is the default: a box nobody answers keeps the old file.
    return ::MessageBox(m_frame, question, Caption(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// One path: "path\0\0"; several: "folder\0name\0name\0\0", the form GetNextPathName walks.
bool CFileDialog::StoreResult(const std::vector<CString>& paths) {
    std::string stored;
    WORD nameOffset = 0;
    WORD extensionOffset = 0;
    if (paths.size() == 1) {
        const CString& path = paths.front();
        stored = path.str();
        nameOffset = static_cast<WORD>(path.ReverseFind('/') + 1);
        const int dot = NameOf(path).ReverseFind('.');
        extensionOffset = dot < 0 ? 0 : static_cast<WORD>(nameOffset + dot + 1);
    } else {
        const CString folder = FolderOf(paths.front());
        stored = folder.str();
        nameOffset = static_cast<WORD>(folder.GetLength() + 1);
        for (const CString& path : paths) {
            stored += '\0';
            stored += FolderOf(path) == folder ? NameOf(path).str() : path.str();
        }
    }
    stored += '\0';
    stored += '\0';
    if (m_ofn.lpstrFile == m_fileBuffer.data() && stored.size() > m_fileBuffer.size()) {
        m_fileBuffer.resize(stored.size());
        m_ofn.lpstrFile = m_fileBuffer.data();
        m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    }
    if (!m_ofn.lpstrFile || stored.size() > m_ofn.nMaxFile) {
        ::MessageBox(m_frame, AppServices().LoadString(kTooManyFiles), Caption(), MB_OK | MB_ICONWARNING);
        return false;
    }
    std::memcpy(m_ofn.lpstrFile, stored.data(), stored.size());
    m_ofn.nFileOffset = nameOffset;
    m_ofn.nFileExtension = extensionOffset;
    return true;
}

LRESULT CFileDialog::SendFileNotify(UINT code) {
    if (!IsWindow(m_hWnd))
        return 0;
    OFNOTIFY notify{{m_frame, 0, code}, &m_ofn, m_ofn.lpstrFile};
    return SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
}

void CFileDialog::EndFrame(int result) {
    if (m_ended || !IsWindow(m_frame))
        return;
    m_ended = true;
    ::EndDialog(m_frame, result);
}

CString CFileDialog::GetPathName() const {
    return m_ofn.lpstrFile ? CString(m_ofn.lpstrFile) : CString();
}

CString CFileDialog::GetFileName() const {
    return NameOf(GetPathName());
}

CString CFileDialog::GetFileExt() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const {
    if (IsWindow(m_frame))
        return GetFileChooser().CurrentFolder();
    return FolderOf(GetPathName());
}

POSITION CFileDialog::GetStartPosition() const {
    if (!m_ofn.lpstrFile || !*m_ofn.lpstrFile)
        return nullptr;
    return reinterpret_cast<POSITION>(m_ofn.lpstrFile);
}

CString CFileDialog::GetNextPathName(POSITION& position) const {
    const char* at = reinterpret_cast<const char*>(position);
    position = nullptr;
    if (!at)
        return {};
    const CString folder(m_ofn.lpstrFile);
    if (at == m_ofn.lpstrFile) {
        // The first call: a single path stands alone.
        if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT))
            return folder;
        at += folder.GetLength() + 1;
        if (!*at)
            return folder;
    }
    const CString name(at);
    const char* next = at + name.GetLength() + 1;
    if (*next)
        position = reinterpret_cast<POSITION>(const_cast<char*>(next));
    return Joined(folder, name);
}
