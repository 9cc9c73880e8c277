#pragma once
// The main window with a page: pictures in a temporary folder that load through the library tests'
// codec (it reads every file as BMP), and a recording category panel.

#include "image/ExtMgr.h"
#include "tests/app/FakeCategoryPanel.h"
#include "tests/app/MainWndTestSupport.h"

#include <string>
#include <vector>

class CDrawImage;
class CTemplate;

// The file name of a path.
std::string NameOf(const CString& path);
// The page's objects in list order: the file name of a picture ("empty" without one, with "+mat" and
// "+stencil"), the text of a text, "clip" for a clipart; "none" for no page.
std::string Describe(const CTemplate* page);

class MainWndPageTest : public MainWndTest {
protected:
    // Writes a.bmp, b.bmp and c.bmp, 4 x 3 pixels each, and creates the window.
    void SetUp() override;

    CString File(const char* name) const { return m_files.Path() + "/" + name; }
    // A picture object of page showing the file (none for null).
    CDrawImage* Image(CTemplate* page, const char* file, int left);
    // Edit mode with the A4 page "a.bmp Hallo b.bmp clip", which the window owns.
    CTemplate* EditPage();

    TempFolder m_files;
    CExtMgr m_codecs{VC_MASK_CODEC_DIR};
    std::vector<CString> m_panelLog;
    FakeCategoryPanel::Installer m_panel{&m_panelLog};
    CMainWnd* m_window = nullptr;
};
