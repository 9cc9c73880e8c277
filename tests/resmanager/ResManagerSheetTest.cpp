// The sheet as command 2101 runs it: the page makes the frame over its placeholder, hides OK, names
// Cancel by string 62052, and closing with an open label edit only ends the edit.

#include "platform/ui/ListCtrl.h"
#include "resmanager/ObjectsView.h"
#include "resmanager/ResManagerPropertySheet.h"
#include "resmanager/ResManagerWnd.h"
#include "tests/resmanager/ResManagerFixture.h"

#include <QTimer>

namespace {

using SheetTest = ResManagerTest;

TEST_F(SheetTest, PageMakesTheFrameOverItsPlaceholderAndHidesOk) {
    m_app.SetString(62052, "Schließen");
    CResManagerPropertySheet sheet(nullptr);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    bool inspected = false;
    QTimer::singleShot(0, [&] {
        inspected = true;
        CResTypeManagerPropertyPage& page = sheet.GetPage();
        CResManagerWnd* frame = page.GetFrame();
        ASSERT_NE(frame, nullptr);
        CRect placeholder;
        page.GetDlgItem(1355)->GetWindowRect(&placeholder);
        CRect framed;
        frame->GetWindowRect(&framed);
        EXPECT_EQ(framed, placeholder);
        EXPECT_FALSE(sheet.GetDlgItem(IDOK)->IsWindowVisible());
        CString cancel;
        sheet.GetDlgItem(IDCANCEL)->GetWindowText(cancel);
        EXPECT_EQ(cancel, "Schließen");
        EXPECT_NE(frame->GetObjectsView(), nullptr);
        // An open label edit keeps the sheet open; the second close ends it.
        CObjectsView* objects = frame->GetObjectsView();
        objects->ShowResType(Photos());
        MakeAlbum("Urlaub", 0);
        objects->ShowResType(Photos());
        objects->GetListCtrl().EditLabel(0);
        ASSERT_TRUE(objects->IsEditingLabel());
        EXPECT_FALSE(page.OnQueryCancel());
        PumpMessages(); // the editor ends through a posted message
        EXPECT_FALSE(objects->IsEditingLabel());
        EXPECT_TRUE(page.OnQueryCancel());
        sheet.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(inspected);
}

} // namespace
