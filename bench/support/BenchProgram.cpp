#include "bench/support/BenchProgram.h"

#include "platform/base/AppServices.h"
#include "platform/base/Geometry.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

class CBenchProgram::CServices : public CDefaultAppServices {
public:
    CServices(HMODULE resources, HMODULE texts) : m_resources(resources), m_texts(texts) {}
    CString LoadString(UINT id, int size) override { return LoadWholeString(m_texts, id, size); }
    HMODULE GetResourceModule() override { return m_resources; }
    HMODULE GetTextModule() override { return m_texts; }

private:
    HMODULE m_resources;
    HMODULE m_texts;
};

CBenchProgram::CBenchProgram(int& argc, char** argv, const char* dataFolder, const char* profileFolder) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    m_application = std::make_unique<QApplication>(argc, argv);
    const char* programDir = std::getenv("VC_PROGRAM_DIR");
    m_folder = programDir ? programDir : ".";
    m_resources = LoadLibrary((m_folder + "/qz_res.deu").c_str());
    m_texts = LoadLibrary((m_folder + "/qz_txt.deu").c_str());
    if (!m_resources || !m_texts) {
        std::fprintf(stderr, "no language modules in %s\n", m_folder.c_str());
        return;
    }
    AfxSetResourceHandle(m_resources);
    m_services = std::make_unique<CServices>(m_resources, m_texts);
    SetAppServices(m_services.get());
    SetProfileFolderForTesting(profileFolder);
    WriteProfileString("Settings", "DataPath", dataFolder);
    WriteProfileInt("Settings", "PictureInstallType", 0);
    WriteProfileString("Settings", "PictureDataPath", "/Bilder");
}

CBenchProgram::~CBenchProgram() {
    if (m_services)
        SetAppServices(nullptr);
    FreeLibrary(m_texts);
    FreeLibrary(m_resources);
}

bool CreateOwnerWindow(CWnd& owner, int width, int height) {
    return owner.CreateEx(0, nullptr, "Vellumcraft", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                          nullptr) != FALSE;
}

bool IsOnPage(const CWnd& tile) {
    CRect rect;
    tile.GetWindowRect(&rect);
    return tile.IsWindowVisible() && !rect.IsRectEmpty();
}
