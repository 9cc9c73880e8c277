// A property sheet of two pages from the gallery's own templates, with the German texts of the program's
// text module on its buttons.

#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/PropertySheet.h"
#include "tools/controlsgallery/Galleries.h"
#include "tools/controlsgallery/Snapshot.h"

#include <QTimer>
#include <cstdio>

namespace {

constexpr UINT kGeneralPage = 900;
constexpr UINT kPreviewPage = 901;

class ModuleTexts final : public CDefaultAppServices {
public:
    explicit ModuleTexts(HMODULE module) : m_module(module) {}
    CString LoadString(UINT stringId, int initialLength) override {
        return LoadWholeString(m_module, stringId, initialLength);
    }

private:
    HMODULE m_module;
};

class GeneralPage : public CPropertyPage {
public:
    GeneralPage() : CPropertyPage(kGeneralPage) {}

protected:
    BOOL OnInitDialog() override {
        CPropertyPage::OnInitDialog();
        SetDlgItemText(1001, "Urlaub an der Ostsee");
        CheckDlgButton(1002, BST_CHECKED);
        CheckRadioButton(1003, 1004, 1003);
        return TRUE;
    }
};

class PreviewPage : public CPropertyPage {
public:
    PreviewPage() : CPropertyPage(kPreviewPage) {}

protected:
    BOOL OnInitDialog() override {
        CPropertyPage::OnInitDialog();
        SetDlgItemText(1011, "100");
        SetDlgItemText(1013, "794 x 1123");
        return TRUE;
    }
};

} // namespace

bool SavePropertySheet(const QString& folder) {
    HMODULE templates = LoadLibrary(VC_GALLERY_MODULE);
    HMODULE texts = LoadLibrary(VC_GERMAN_TEXT_MODULE);
    if (!templates || !texts) {
        std::fprintf(stderr, "the gallery's modules are missing\n");
        return false;
    }
    AfxSetResourceHandle(templates);
    ModuleTexts services(texts);
    SetAppServices(&services);

    GeneralPage general;
    PreviewPage preview;
    CPropertySheet sheet("Eigenschaften");
    sheet.AddPage(&general);
    sheet.AddPage(&preview);
    bool saved = false;
    QTimer::singleShot(0, [&] {
        saved = Save(sheet.m_hWnd, folder + "/property-sheet.png");
        sheet.SetActivePage(1);
        saved = saved && Save(sheet.m_hWnd, folder + "/property-sheet-second-tab.png");
        sheet.EndDialog(IDCANCEL);
    });
    sheet.DoModal();

    SetAppServices(nullptr);
    AfxSetResourceHandle(nullptr);
    FreeLibrary(texts);
    FreeLibrary(templates);
    return saved;
}
