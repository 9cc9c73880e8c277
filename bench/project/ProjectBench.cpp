// Opening a project on the clock.
//   project_bench DIR   DIR holds photo0.jpg ... photo5.jpg; an edit-mode project of 12 picture objects,
//                       two on each file with neutral settings, is written in memory, and seconds= of
//                       opening it (the stream read and every picture loaded and built) is printed
// The codec plug-ins are taken from VC_PROGRAM_DIR.
#include "image/ExtMgr.h"
#include "page/DrawImage.h"
#include "page/Project.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/Archive.h"
#include "platform/base/MemFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kFiles = 6;
constexpr int kObjectsPerFile = 2;

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

class EditModeServices : public CDefaultAppServices {
public:
    BYTE IsEditMode() override { return TRUE; }
    LPCTSTR GetVersionTag() override { return "4.1.b"; }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: project_bench DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    EditModeServices services;
    SetAppServices(&services);
    const char* programDir = std::getenv("VC_PROGRAM_DIR");
    CExtMgr codecs(programDir ? programDir : ".");
    codecs.LoadPlugins();

    CTemplate page;
    for (int i = 0; i < kFiles * kObjectsPerFile; ++i) {
        auto* image = new CDrawImage(CRect(i * 100, 0, i * 100 + 90, 90));
        image->SetTemplate(&page);
        page.InsertObject(image, -1);
        const std::string path = dir + "/photo" + std::to_string(i / kObjectsPerFile) + ".jpg";
        if (!image->SetImageFile(path.c_str(), TRUE)) {
            std::fprintf(stderr, "%s did not load: no JPEG codec in %s\n", path.c_str(), programDir);
            return 1;
        }
    }
    CProject saved;
    saved.SetTemplate(&page);
    CMemFile stored;
    {
        CArchive ar(&stored, CArchive::store, 4096);
        saved.Serialize(ar);
        ar.Close();
    }
    const auto size = static_cast<size_t>(stored.GetLength());
    BYTE* data = stored.Detach();
    std::vector<BYTE> bytes(data, data + size);
    std::free(data);

    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CProject project;
    const double start = Now();
    {
        CArchive ar(&file, CArchive::load, 4096);
        project.Serialize(ar);
    }
    const double seconds = Now() - start;
    const std::unique_ptr<CTemplate> opened(project.GetTemplate());
    if (!opened || opened->GetObjectCount() != kFiles * kObjectsPerFile)
        return 1;
    std::printf("seconds=%.6f\n", seconds);
    SetAppServices(nullptr);
    return 0;
}
