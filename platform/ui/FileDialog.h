#pragma once
// CFileDialog: the open and save dialog. The choosing part (folder listing, name field, type list) is the
// installed file chooser; beneath it, in the same window, a page that is this object's own dialog: empty,
// or the caller's template (OFN_ENABLETEMPLATE) with its controls, data exchange and command handlers.
// Every message of the page goes to m_ofn.lpfnHook first, which starts as the layer's hook that hands it
// to the object; a caller's hook put in its place sees them first and passes them on to the one it kept.

#include "platform/base/List.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FileChooser.h"

#include <vector>

struct DialogTemplate;

using LPOFNHOOKPROC = UINT_PTR (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct OPENFILENAME {
    HWND hwndOwner = nullptr;
    HINSTANCE hInstance = nullptr; // the module of lpTemplateName
    LPCTSTR lpstrFilter = nullptr; // "text\0pattern;pattern\0...\0\0"
    DWORD nFilterIndex = 1;        // 1-based, in and out
    LPTSTR lpstrFile = nullptr;    // the proposed name in, the chosen path (or folder and names) out
    DWORD nMaxFile = 0;
    LPCTSTR lpstrInitialDir = nullptr;
    LPCTSTR lpstrTitle = nullptr;
    DWORD Flags = 0;
    WORD nFileOffset = 0;    // of the name in lpstrFile
    WORD nFileExtension = 0; // of the extension in lpstrFile; 0 when there is none
    LPCTSTR lpstrDefExt = nullptr;
    LPARAM lCustData = 0;
    LPOFNHOOKPROC lpfnHook = nullptr;
    LPCTSTR lpTemplateName = nullptr;
};

inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004; // the chooser never offers "read only"
inline constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
inline constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040;
inline constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
inline constexpr DWORD OFN_EXPLORER = 0x00080000;

// WM_NOTIFY codes the page receives from the dialog (OFNOTIFY).
inline constexpr UINT CDN_FIRST = static_cast<UINT>(-601);
inline constexpr UINT CDN_FILEOK = CDN_FIRST - 5;     // nonzero result refuses the name
inline constexpr UINT CDN_TYPECHANGE = CDN_FIRST - 6; // m_ofn.nFilterIndex is the new type

struct OFNOTIFY {
    NMHDR hdr;
    OPENFILENAME* lpOFN;
    LPTSTR pszFile;
};

// The layer's hook: hands the page's messages to its CFileDialog.
UINT_PTR FileDialogHookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class CFileDialog : public CDialog, private IFileChooserClient {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // filter is the '|'-separated text ("JPEG-Bild|*.jpg|Alle Dateien|*.*||").
    explicit CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                         CWnd* parent = nullptr);

    // IDOK with the chosen file, IDCANCEL, or -1 when the template is missing or malformed.
    INT_PTR DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;
    // Without the '.'; empty when the name has none.
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    // Walks the chosen files: null when there are none.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& position) const;

    OPENFILENAME m_ofn;

protected:
    // The type changed; m_ofn.nFilterIndex holds the new one.
    virtual void OnTypeChange() {}
    // TRUE refuses the chosen name and keeps the dialog open; m_ofn.lpstrFile already holds it.
    virtual BOOL OnFileNameOK() { return FALSE; }
    // Enter in the page accepts the name field; Esc cancels the dialog.
    void OnOK() override;
    void OnCancel() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend UINT_PTR FileDialogHookProc(HWND, UINT, WPARAM, LPARAM);
    class Frame;

    void OnTypeChosen(int typeIndex) override;
    bool OnFilesChosen(const std::vector<CString>& paths) override;
    void OnCancelled() override;

    bool LoadPage(DialogTemplate& page) const;
    FileChooserRequest MakeRequest() const;
    CString Caption() const;
    bool ConfirmOverwrite(const CString& path) const;
    bool StoreResult(const std::vector<CString>& paths);
    LRESULT SendFileNotify(UINT code);
    void EndFrame(int result);

    BOOL m_bOpenFileDialog;
    CString m_defaultExtension;
    std::vector<char> m_filterList;
    std::vector<char> m_fileBuffer; // lpstrFile unless the caller gives its own
    HWND m_frame = nullptr;
    bool m_hooked = false; // the page's messages go through lpfnHook
    bool m_ended = false;  // the result is set: later choices are too late
};
