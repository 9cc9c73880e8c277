// The resource manager's object view on a photo album:
//   resmanager_bench show <data folder> <profile folder> <album title>
//     album mode from the album still to be opened until its last item is painted; prints seconds= and
//     items=.
//   resmanager_bench drop <data folder> <profile folder> <album title> <file>...
//     the files dropped on the shown album until the last entry is stored; prints seconds= and entries=.
// The data folder holds "Bilder" with "albums.dat" and its albums. The German resource and text modules
// and the codec plug-ins come from VC_PROGRAM_DIR.

#include "bench/support/BenchProgram.h"
#include "image/ExtMgr.h"
#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/OleDataObject.h"
#include "resmanager/ObjectsView.h"
#include "resmanager/ResManagerDocument.h"
#include "resmanager/ResManagerWnd.h"

#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The frame as the sheet's page makes it, with every kind but the print templates.
CResManagerWnd* OpenFrame(CWnd& owner, CDSObjMgr& manager) {
    auto* document = new CResManagerDocument;
    auto* frame = new CResManagerWnd;
    CCreateContext context;
    context.m_pCurrentDoc = document;
    context.m_pCurrentFrame = frame;
    if (!frame->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1000, 700), &owner, nullptr,
                       WS_EX_CONTROLPARENT, &context))
        return nullptr;
    auto& kinds = manager.GetResTypeList();
    for (POSITION pos = kinds.GetHeadPosition(); pos != nullptr;) {
        CResType* kind = kinds.GetNext(pos);
        if (kind->GetTypeId() != kResTypePrintTemplates)
            frame->AddResType(kind);
    }
    document->OnNewDocument();
    frame->ActivateFrame(-1);
    QApplication::processEvents();
    return frame;
}

int Run(const std::string& mode, const CString& title, const std::vector<CString>& files) {
    CDSObjMgr manager;
    manager.LoadInstallSettings();
    CDSAlbum* album = manager.GetResType(kResTypePictures)->FindAlbumByTitle(title);
    if (!album || album->IsIndexOpen()) {
        std::fprintf(stderr, "the album \"%s\" is not an album still to be opened\n", title.GetString());
        return 1;
    }
    CWnd owner;
    if (!CreateOwnerWindow(owner, 1000, 700))
        return 1;
    CResManagerWnd* frame = OpenFrame(owner, manager);
    CObjectsView* view = frame ? frame->GetObjectsView() : nullptr;
    if (!view)
        return 1;
    int status = 1;
    if (mode == "show") {
        const CStopwatch stopwatch;
        const LRESULT shown = view->ShowAlbum(album);
        view->UpdateWindow();
        const double seconds = stopwatch.GetSeconds();
        std::printf("seconds=%.6f items=%d\n", seconds, view->GetListCtrl().GetItemCount());
        status = shown == 0 ? 0 : 1;
    } else if (view->ShowAlbum(album) == 0) {
        COleDataObject drop(files);
        const CStopwatch stopwatch;
        view->OnDrop(&drop, DROPEFFECT_COPY, CPoint(10, 10));
        const double seconds = stopwatch.GetSeconds();
        std::printf("seconds=%.6f entries=%d\n", seconds, album->GetObjectCount());
        status = 0;
    }
    owner.DestroyWindow();
    QApplication::processEvents();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc < 5 || (mode != "show" && mode != "drop")) {
        std::fprintf(stderr, "usage: resmanager_bench show|drop <data folder> <profile folder> <album title> "
                             "[file...]\n");
        return 2;
    }
    const CBenchProgram program(argc, argv, argv[2], argv[3]);
    if (!program.IsLoaded())
        return 1;
    CExtMgr codecs(program.GetFolder().c_str());
    codecs.LoadPlugins();
    return Run(mode, argv[4], std::vector<CString>(argv + 5, argv + argc));
}
