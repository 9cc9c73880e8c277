#pragma once
// CObjectPropertiesDialog: a child form of the resource manager's details view that shows one album
// entry's name and the facts of its file, stores an edited name into the album, and checks the file
// against its stored checksum. Enter and Escape do not close it.

#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/ui/Dialog.h"
#include "resmanager/ResManagerMessages.h"

#include <memory>

class CObjectPropertiesDialog : public CDialog {
public:
    explicit CObjectPropertiesDialog(CWnd* parent = nullptr);
    ~CObjectPropertiesDialog() override;

    // The form's template, for CDialog::Create with the details view as parent.
    static constexpr UINT kTemplateId = 719;

    // Stores a changed name of the entry shown unless *drop, then shows record (null: none), which the
    // form owns from then on.
    void SetObject(ObjectRef* record, const bool* drop);
    // Whether the name field differs from the entry's name, letter case aside.
    bool IsModified();
    // Writes the name into the entry and has the album store it; with *notify the frame hears of it. A
    // store that fails puts the old name back. Whether the album stored the entry.
    bool ApplyChanges(const bool* notify);
    CSize GetInitialSize() const { return m_initialSize; }
    // The record shown, or null.
    const ObjectRef* GetRecord() const { return m_pRecord.get(); }

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnDestroy() override;

private:
    void OnCheckFile();

    CString m_strName;
    CString m_strPath;
    CString m_strFileSize;
    CString m_strBitsPerPixel;
    CString m_strHeight;
    CString m_strWidth;
    BOOL m_bCheck = FALSE;
    std::unique_ptr<ObjectRef> m_pRecord;
    CSize m_initialSize;
};
