// The file browser on the clock: from the selection of a folder until the last thumbnail is on the list,
// in one process on the offscreen platform, with the program's resource module and codec plug-ins.
//
//   browser_bench PROGRAM_DIR FOLDER SIDE  ->  seconds=... files=...

#include "albums/BrowseFileDlg.h"
#include "image/ExtMgr.h"
#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/ui/TimerTesting.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

class BenchServices final : public CDefaultAppServices {
public:
    explicit BenchServices(HMODULE resources) : m_resources(resources) {}
    HMODULE GetResourceModule() override { return m_resources; }

private:
    HMODULE m_resources;
};

bool AllPicturesShown(CListCtrl& list, int files) {
    if (list.GetItemCount() != files)
        return false;
    for (int i = 0; i < files; ++i) {
        LVITEM item{};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        if (!list.GetItem(&item) || item.iImage < 0)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: browser_bench PROGRAM_DIR FOLDER SIDE\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const CString programDir = argv[1];
    const CString folder = argv[2];
    const int side = std::atoi(argv[3]);
    const int files = static_cast<int>(QDir(argv[2]).entryList(QDir::Files).size());

    QTemporaryDir profile;
    SetProfileFolderForTesting(profile.path().toStdString().c_str());
    WriteProfileInt("Settings\\Thumbnails\\Browse", "thumbcx", side);
    WriteProfileInt("Settings\\Thumbnails\\Browse", "thumbcy", side);
    const HMODULE resources = LoadLibrary(programDir + "/qz_res.deu");
    if (!resources) {
        std::fprintf(stderr, "no resource module in %s\n", programDir.GetString());
        return 1;
    }
    AfxSetResourceHandle(resources);
    BenchServices services(resources);
    SetAppServices(&services);
    CExtMgr plugins(programDir);
    plugins.LoadPlugins();
    UseManualTimersForTesting(true);

    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "Bilder|*.jpg||");
    dialog.m_ofn.lpstrInitialDir = folder.GetString();
    double seconds = -1;
    QTimer::singleShot(0, [&] {
        auto& list = *static_cast<CListCtrl*>(dialog.GetDlgItem(6004));
        const auto start = std::chrono::steady_clock::now();
        AdvanceTimersForTesting(500);
        while (!AllPicturesShown(list, files))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        dialog.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    SetAppServices(nullptr);
    FreeLibrary(resources);
    if (seconds < 0)
        return 1;
    std::printf("seconds=%.6f files=%d\n", seconds, files);
    return 0;
}
