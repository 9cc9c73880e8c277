#include "tests/app/DialogTestSupport.h"

#include "platform/base/Module.h"
#include "platform/base/Resource.h"

HMODULE AppDialogTest::s_resources = nullptr;

void AppDialogTest::SetUpTestSuite() {
    UiTest::SetUpTestSuite();
    s_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
}

void AppDialogTest::TearDownTestSuite() {
    FreeLibrary(s_resources);
    s_resources = nullptr;
}

void AppDialogTest::SetUp() {
    UiTest::SetUp();
    ASSERT_NE(s_resources, nullptr);
    m_previousHandle = AfxGetResourceHandle();
    AfxSetResourceHandle(s_resources);
    m_services.SetResourceModule(s_resources);
    m_services.SetString(175, "Bitte warten …");
    ASSERT_TRUE(
        m_owner.CreateEx(0, nullptr, "Besitzer", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
}

void AppDialogTest::TearDown() {
    m_owner.DestroyWindow();
    AfxSetResourceHandle(m_previousHandle);
    SetProgramFolderForTesting("");
    UiTest::TearDown();
}

CString AppDialogTest::ItemText(const CWnd& dialog, int id) {
    CString text;
    dialog.GetDlgItemText(id, text);
    return text;
}
