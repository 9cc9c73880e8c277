#pragma once
// The shell dialogs' tests: the program's own resource module as the resource handle, the application
// services faked, and a top-level owner window.

#include "platform/base/WinTypes.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

class AppDialogTest : public UiTest {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The text of a dialog's control.
    static CString ItemText(const CWnd& dialog, int id);

    FakeAppServices m_services;
    CWnd m_owner;

private:
    static HMODULE s_resources;
    HINSTANCE m_previousHandle = nullptr;
};
