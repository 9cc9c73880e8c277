#include "tests/output/PrintDialogFixture.h"

#include "output/PrintMainWnd.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/ui/Dialog.h"

#include <QTimer>
#include <cstring>

void FakePrintMainWnd::RunPrintJob(DEVMODE* devMode, LPCTSTR device, LPCTSTR driver, LPCTSTR port,
                                   float scale, BOOL showHint, int copies) {
    Job job;
    if (devMode)
        std::memcpy(&job.devMode, devMode, sizeof job.devMode);
    job.device = device;
    job.driver = driver;
    job.port = port;
    job.scale = scale;
    job.showHint = showHint;
    job.copies = copies;
    jobs.push_back(job);
}

CDialog* ActiveDialog() {
    return dynamic_cast<CDialog*>(CWnd::GetActiveWindow());
}

void PrintDialogTest::SetUp() {
    UiTest::SetUp();
    SetProfileFolderForTesting(m_folder.Path());
    m_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    ASSERT_NE(nullptr, m_resources);
    m_previousResources = AfxGetResourceHandle();
    AfxSetResourceHandle(m_resources);
    m_page.SetPageSize(CSize(2100, 2970));
    m_page.SetOrientation(1);
    m_page.SetStoredText("A4");
    m_mainWnd.page = &m_page;
    SetPrintMainWnd(&m_mainWnd);
}

void PrintDialogTest::TearDown() {
    SetPrintMainWnd(nullptr);
    AfxSetResourceHandle(m_previousResources);
    FreeLibrary(m_resources);
    SetProfileFolderForTesting("");
    UiTest::TearDown();
}

INT_PTR PrintDialogTest::RunWith(CDialog& dialog, const std::function<void(CDialog&)>& step) {
    QTimer::singleShot(0, [&dialog, step] { step(dialog); });
    return dialog.DoModal();
}
