// Printing on the clock.
//   print_bench page DIR   the main window in edit mode with an A4 page of four loaded 12-megapixel photos
//                          in a 2 x 2 grid, printed by its print job at 300 dpi to the built-in PDF printer
//                          into DIR/page.pdf; writes the photos as DIR/photo1.ppm ... for the peer and prints
//                          seconds= of the job (RunPrintJob to the renamed file)
// The language modules are taken from VC_PROGRAM_DIR; the profile lives in DIR.
#include "app/MainWnd.h"
#include "image/PictureInfo.h"
#include "output/PrintMainWnd.h"
#include "output/PrinterDevMode.h"
#include "page/DrawImage.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/print/Spooler.h"
#include "platform/ui/FileChooser.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kPhotoWidth = 4000; // 12 megapixels, 4:3
constexpr int kPhotoHeight = 3000;
// The grid's cells in page units (tenths of a millimetre): 96 x 72 mm, the photos' proportions, so the
// fitted photo fills its cell. In print-picture pixels (0.12 mm) they are 800 x 600 at (50 | 900, 250 |
// 1250).
constexpr int kCellWidth = 960;
constexpr int kCellHeight = 720;
constexpr int kCellLeft[] = {60, 1080};
constexpr int kCellTop[] = {300, 1500};

// The application's services as the print job needs them: the language modules, edit mode, no sounds;
// every message box is counted, since a job that shows one has failed.
class BenchServices final : public CDefaultAppServices {
public:
    BenchServices(HMODULE resources, HMODULE texts) : m_resources(resources), m_texts(texts) {}
    int MessageBox(UINT stringId, UINT style, UINT helpId) override {
        ++messages;
        return CDefaultAppServices::MessageBox(stringId, style, helpId);
    }
    int MessageBoxText(const CString& text, UINT style, UINT helpId) override {
        ++messages;
        return CDefaultAppServices::MessageBoxText(text, style, helpId);
    }
    CString LoadString(UINT stringId, int size) override { return LoadWholeString(m_texts, stringId, size); }
    HMODULE GetResourceModule() override { return m_resources; }
    HMODULE GetTextModule() override { return m_texts; }
    BYTE IsEditMode() override { return TRUE; }

    int messages = 0;

private:
    HMODULE m_resources;
    HMODULE m_texts;
};

// Answers the PDF printer's file dialog with one path as soon as its loop runs; cancels it when the
// dialog does not take the path.
class PathChooser final : public IFileChooser {
public:
    explicit PathChooser(CString path) : m_path(std::move(path)) { SetFileChooser(this); }
    ~PathChooser() override { SetFileChooser(nullptr); }
    PathChooser(const PathChooser&) = delete;
    PathChooser& operator=(const PathChooser&) = delete;

    void Open(QWidget*, const QRect&, const FileChooserRequest&, IFileChooserClient& client) override {
        QTimer::singleShot(0, [this, &client] {
            if (!client.OnFilesChosen({m_path}))
                client.OnCancelled();
        });
    }
    void Accept() override {}
    CString CurrentFolder() const override { return {}; }
    void Close() override {}

private:
    CString m_path;
};

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A photo-like 24-bit picture: smooth gradients with fine texture, different for each seed.
std::unique_ptr<CPictureInfo> Photo(int seed) {
    const DWORD row = static_cast<DWORD>((kPhotoWidth * 3 + 3) / 4 * 4);
    auto picture = std::make_unique<CPictureInfo>();
    BYTE* block = picture->Allocate(sizeof(BITMAPINFOHEADER) + row * kPhotoHeight);
    const BITMAPINFOHEADER header{
        sizeof(BITMAPINFOHEADER), kPhotoWidth, kPhotoHeight, 1, 24, BI_RGB, row * kPhotoHeight, 0, 0, 0, 0};
    std::memcpy(block, &header, sizeof header);
    BYTE* bits = block + sizeof header;
    unsigned noise = 12345u + static_cast<unsigned>(seed);
    for (int y = 0; y < kPhotoHeight; ++y) {
        BYTE* p = bits + static_cast<size_t>(y) * row;
        for (int x = 0; x < kPhotoWidth; ++x, p += 3) {
            noise = noise * 1103515245u + 12345u;
            const int grain = static_cast<int>((noise >> 16) & 15);
            p[0] = static_cast<BYTE>((x * 255 / kPhotoWidth + seed * 60 + grain) & 0xFF);
            p[1] = static_cast<BYTE>((y * 255 / kPhotoHeight + grain) & 0xFF);
            p[2] = static_cast<BYTE>(((x + y) * 255 / (kPhotoWidth + kPhotoHeight) + seed * 30) & 0xFF);
        }
    }
    return picture;
}

// The picture as a binary PPM (top-down RGB).
bool WritePpm(const CPictureInfo& picture, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    std::fprintf(file, "P6\n%d %d\n255\n", kPhotoWidth, kPhotoHeight);
    const BITMAPINFOHEADER* header = picture.GetHeader();
    const BYTE* bits = reinterpret_cast<const BYTE*>(header) + header->biSize;
    const size_t row = static_cast<size_t>((kPhotoWidth * 3 + 3) / 4 * 4);
    std::string line(static_cast<size_t>(kPhotoWidth) * 3, '\0');
    bool written = true;
    for (int y = kPhotoHeight - 1; y >= 0; --y) {
        const BYTE* p = bits + static_cast<size_t>(y) * row;
        for (int x = 0; x < kPhotoWidth; ++x) {
            line[static_cast<size_t>(x) * 3] = static_cast<char>(p[x * 3 + 2]);
            line[static_cast<size_t>(x) * 3 + 1] = static_cast<char>(p[x * 3 + 1]);
            line[static_cast<size_t>(x) * 3 + 2] = static_cast<char>(p[x * 3]);
        }
        written = written && std::fwrite(line.data(), 1, line.size(), file) == line.size();
    }
    return std::fclose(file) == 0 && written;
}

// The main window as the program makes it, in edit mode with the page.
CMainWnd* MainWindowWith(CTemplate* page) {
    auto* window = new CMainWnd;
    LPCTSTR windowClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    if (!window->CreateEx(0, windowClass, "Vellumcraft", WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, 0, 0, 0, 0,
                          nullptr, nullptr)) {
        delete window;
        return nullptr;
    }
    window->ShowWindow(SW_SHOW);
    window->SetTemplate(page);
    window->UpdateWindow();
    // The window's own work (painting the page) is done before the clock starts.
    for (int round = 0; round < 4; ++round)
        QCoreApplication::processEvents();
    return window;
}

int PrintPageBench(const std::string& dir) {
    const HMODULE resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    const HMODULE texts = LoadLibrary(VC_PROGRAM_DIR "/qz_txt.deu");
    if (!resources || !texts) {
        std::fprintf(stderr, "the language modules are not in %s\n", VC_PROGRAM_DIR);
        return 1;
    }
    AfxSetResourceHandle(resources);
    BenchServices services(resources, texts);
    SetAppServices(&services);
    std::filesystem::create_directories(dir + "/profile");
    SetProfileFolderForTesting((dir + "/profile").c_str());

    auto* page = new CTemplate;
    page->SetPageSize(CSize(2100, 2970));
    page->SetOrientation(DMORIENT_PORTRAIT);
    int seed = 0;
    for (int top : kCellTop)
        for (int left : kCellLeft) {
            const std::unique_ptr<CPictureInfo> photo = Photo(seed++);
            if (!WritePpm(*photo, dir + "/photo" + std::to_string(seed) + ".ppm"))
                return 1;
            auto* image = new CDrawImage(CRect(left, top, left + kCellWidth, top + kCellHeight));
            image->SetTemplate(page);
            image->SetAdjustedDib(photo.get());
            page->InsertObject(image, -1);
        }
    CMainWnd* window = MainWindowWith(page);
    if (!window) {
        std::fprintf(stderr, "the main window was not made\n");
        return 1;
    }
    DEVMODE* devMode = nullptr;
    const std::unique_ptr<BYTE[]> block(
        reinterpret_cast<BYTE*>(GetPrinterDevMode(kBuiltInPdfPrinterName, kBuiltInPdfPrinterName, devMode)));
    const std::string output = dir + "/page.pdf";
    std::filesystem::remove(output);
    PathChooser chooser(output.c_str());

    const double start = Now();
    GetPrintMainWnd()->RunPrintJob(devMode, kBuiltInPdfPrinterName, kBuiltInPdfPrinterName, "pdf:", 0.0f,
                                   FALSE, 1);
    const double seconds = Now() - start;
    window->DestroyWindow();
    SetAppServices(nullptr);
    FreeLibrary(texts);
    FreeLibrary(resources);
    std::error_code error;
    if (!devMode || services.messages > 0 || std::filesystem::file_size(output, error) == 0 || error) {
        std::fprintf(stderr, "the page was not printed\n");
        return 1;
    }
    std::printf("seconds=%.6f\n", seconds);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "page") == 0)
        return PrintPageBench(argv[2]);
    std::fprintf(stderr, "usage: print_bench page DIR\n");
    return 2;
}
