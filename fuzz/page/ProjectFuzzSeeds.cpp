// Writes seed files for the project fuzzer into the folder given: the normal form bare and with every
// field, and the edit form with no page, an empty page and a page of a text, a picture and a clipart.
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/Project.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/Archive.h"
#include "platform/base/File.h"

#include <string>

namespace {

// The built-in services with the edit-mode flag the seed asks for.
class SeedServices : public CDefaultAppServices {
public:
    BYTE IsEditMode() override { return m_editMode; }
    LPCTSTR GetVersionTag() override { return m_editMode ? "4.1.b" : "4.1.a"; }
    BYTE m_editMode = FALSE;
};

void Write(CProject& project, const std::string& path) {
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite))
        return;
    CArchive ar(&file, CArchive::store);
    project.Serialize(ar);
    ar.Close();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::string folder = argv[1];
    SeedServices services;
    SetAppServices(&services);

    CProject bare;
    Write(bare, folder + "/normal-bare.qzp");
    CProject full;
    full.SetPicturePath("/fotos/Grüße.jpg");
    full.SetTemplateName("/karte.tpl");
    full.SetStencil("/herz.bmp", true);
    full.SetMat("/gold.bmp", false);
    full.GetAdjustments().brightness = 10;
    Write(full, folder + "/normal-full.qzp");

    services.m_editMode = TRUE;
    CProject none;
    Write(none, folder + "/edit-none.qzp");
    CTemplate empty;
    empty.SetName("Leer");
    empty.SetPageSize(CSize(2100, 2970));
    CProject emptyProject;
    emptyProject.SetTemplate(&empty);
    Write(emptyProject, folder + "/edit-empty.qzp");
    CTemplate page;
    page.SetName("Seite");
    page.InsertObject(new CDrawText(CRect(10, 10, 200, 60), "Urlaub"), -1);
    page.InsertObject(new CDrawImage(CRect(100, 100, 900, 700)), -1);
    page.InsertObject(new CDrawClipart(CRect(5, 5, 50, 50)), -1);
    CProject pageProject;
    pageProject.SetTemplate(&page);
    Write(pageProject, folder + "/edit-page.qzp");

    SetAppServices(nullptr);
    return 0;
}
