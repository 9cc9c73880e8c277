// Shows the print hint, the print progress and the album print dialog with the program's language
// modules and saves a picture of each: print_dialogs_screenshot FOLDER. Run under Xvfb so that a person
// can judge them.

#include "output/PrintDlg.h"
#include "output/PrintMsgDlg.h"
#include "output/PrnAlbumDlg.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/gdi/Dc.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PrintDialog.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/GallerySupport.h"
#include "tests/support/UiTestSupport.h"

namespace {

constexpr UINT kPaintingTextId = 51;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    EnsureUiApplication();
    const CString folder = CString(argv[1]) + "/";
    FakeAppServices services;
    CFakePrinterSystem printers;
    printers.Add("Fotodrucker").info.isDefault = TRUE;
    const HMODULE resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    const HMODULE texts = LoadLibrary(VC_PROGRAM_DIR "/qz_txt.deu");
    if (!resources || !texts)
        return 1;
    services.SetResourceModule(resources);
    services.SetString(kPaintingTextId, LoadWholeString(texts, kPaintingTextId, 256));
    AfxSetResourceHandle(resources);

    CPrintMsgDlg hint;
    bool saved = SaveDialogPicture(hint, folder + "print-hint.png");

    CPrintDlg progress;
    if (progress.Create(CPrintDlg::kTemplateId)) {
        progress.CenterWindow();
        progress.ShowWindow(SW_SHOW);
        progress.Begin(3, kPaintingTextId);
        progress.Step();
        saved = SaveWindowPicture(progress, folder + "print-progress.png") && saved;
        progress.DestroyWindow();
    } else {
        saved = false;
    }

    CPrintDialog setUp(FALSE);
    setUp.GetDefaults();
    CPrnAlbumDlg album(nullptr, &setUp);
    saved = SaveDialogPicture(album, folder + "print-album.png",
                              [&] {
                                  album.CheckRadioButton(1025, 1026, 1026);
                                  album.SendMessage(WM_COMMAND, MAKEWPARAM(1026, BN_CLICKED), 0);
                                  album.SetDlgItemText(1032, "12");
                              }) &&
            saved;
    delete album.m_pPrinterDC;
    GlobalFree(setUp.m_pd.hDevMode);
    GlobalFree(setUp.m_pd.hDevNames);

    FreeLibrary(texts);
    FreeLibrary(resources);
    return saved ? 0 : 1;
}
