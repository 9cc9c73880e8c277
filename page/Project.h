#pragma once
// CProject: the document of a .qzp project file, made for one save or open. A normal-mode project names
// the page's picture with its settings, print template, stencil and mat; an edit-mode project holds the
// whole page. The file is the project's archive stream alone; its version string tells the form.

#include "image/AdjustImage.h"
#include "platform/base/Object.h"
#include "platform/base/String.h"

class CArchive;
class CMat;
class CStencil;
class CTemplate;

class CProject : public CObject {
    DECLARE_DYNCREATE(CProject)
public:
    // The version is the application's version tag of this moment.
    CProject();
    // Leaves the template alone: the caller takes a loaded one and lends one to save.
    ~CProject() override;
    CProject(const CProject&) = delete;
    CProject& operator=(const CProject&) = delete;

    // Loading refuses a version that is not "4" followed by at least two characters, a cut stream, an
    // entry of unknown kind and what the objects refuse, throwing the framework's exceptions; the
    // project is then as before and the partly read page is freed. A loaded page replaces (deletes)
    // a held one.
    void Serialize(CArchive& ar) override;

    // The edit-mode form: the version ends in 'b' or '2'.
    static bool IsTemplateVersion(const CString& version);
    // A stored path as a file path here: '\' read as '/', resolved ignoring letter case; empty for a
    // path that is not absolute (a drive-letter path of Windows), which names no file here.
    static CString LocalFilePath(const CString& stored);

    CString GetVersion() const { return m_strVersion; }
    CTemplate* GetTemplate() const { return m_pTemplate; }
    void SetTemplate(CTemplate* page) { m_pTemplate = page; }
    // The page's size, (0, 0) without a page.
    CSize GetPageSize() const;

    CString GetPicturePath() const { return m_strPicturePath; }
    void SetPicturePath(const CString& path) { m_strPicturePath = path; }
    CString GetTemplateName() const { return m_strTemplateName; }
    void SetTemplateName(const CString& name) { m_strTemplateName = name; }
    CString GetStencilPath() const { return m_strStencilPath; }
    void SetStencil(const CString& path, bool relative) {
        m_strStencilPath = path, m_bStencilRelative = relative;
    }
    BYTE IsStencilRelative() const { return m_bStencilRelative; }
    CString GetMatPath() const { return m_strMatPath; }
    void SetMat(const CString& path, bool relative) { m_strMatPath = path, m_bMatRelative = relative; }
    BYTE IsMatRelative() const { return m_bMatRelative; }
    CAdjustImage& GetAdjustments() { return m_adjustments; }

    // New entries for the stored paths, resolved by the manager for their kinds with the relative flags;
    // the caller's, or null without the manager or the kind. They are not loaded yet.
    CStencil* CreateStencil() const;
    CMat* CreateMat() const;
    // The print template of the template name: its texts from the kind's "Templ.dat" line whose fourth
    // field is the name (letter case counts), its page from the template file. The caller's; null when
    // either is missing or unreadable.
    CTemplate* LoadTemplates() const;

private:
    void Store(CArchive& ar);
    void Load(CArchive& ar);
    void StorePage(CArchive& ar);
    // The page of the edit-mode form, the caller's.
    CTemplate* LoadPage(CArchive& ar, const CString& version) const;
    void LoadNormal(CArchive& ar, const CString& version);

    CString m_strVersion;
    CString m_strPicturePath;
    CString m_strTemplateName;
    CString m_strStencilPath;
    CString m_strMatPath;
    CAdjustImage m_adjustments{false};
    BYTE m_bStencilRelative = 0;
    BYTE m_bMatRelative = 0;
    CTemplate* m_pTemplate = nullptr;
};
