// The page canvas on the clock.
//   canvas_bench redraw DIR     RedrawTemplate of six pictures (12 MP originals; two with stencils, two
//                               with mats), four texts and two turned cliparts in the 570 x 435 canvas,
//                               and a bare QPainter fill and drawImage of the same six pictures into their
//                               frames; prints ours= and peer= in seconds per redraw
//   canvas_bench clipboard DIR  copy and paste of a picture whose temporary file holds 12 MP; writes that
//                               file's data to DIR/tempfile.bmp for the peer and prints seconds=
// The stencil, mat and clipart files are written to DIR; the codec plug-ins come from VC_PROGRAM_DIR.
#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "library/Clipart.h"
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/MainWndServices.h"
#include "page/PreviewWnd.h"
#include "platform/base/AppServices.h"
#include "platform/base/File.h"
#include "platform/base/Profile.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kPhotoWidth = 4000;
constexpr int kPhotoHeight = 3000;
constexpr int kPictures = 6;
constexpr int kRounds = 10;
const CRect kCanvas(197, 40, 767, 475); // 570 x 435 in the main window

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

class EditModeServices : public CDefaultAppServices {
public:
    BYTE IsEditMode() override { return TRUE; }
    LPCTSTR GetVersionTag() override { return "4.1.b"; }
};

// The main window as the canvas sees it: it owns the page and drops the undo records.
class BenchHost final : public IMainWndServices {
public:
    BenchHost() { SetMainWndServices(this); }
    ~BenchHost() override { SetMainWndServices(nullptr); }
    BenchHost(const BenchHost&) = delete;
    BenchHost& operator=(const BenchHost&) = delete;

    CTemplate* GetTemplate() override { return &m_page; }
    void SetTemplate(CTemplate* page) override { delete page; }
    CTemplate* GetNormalModeSource() override { return nullptr; }
    CWorkBitmap* GetWorkBitmap() override { return nullptr; }
    CMat* GetMat() override { return nullptr; }
    void SetMat(CMat* mat) override { delete mat; }
    CStencil* GetNormalStencil() override { return nullptr; }
    void SetNormalStencil(CStencil* stencil) override { delete stencil; }
    BOOL IsFlagClear() override { return TRUE; }
    void SetStretchFlag(BOOL) override {}
    void AddUndo(CObject* record) override { delete record; }
    void SetModified(BOOL) override {}
    BOOL OnSaveProject() override { return FALSE; }
    ICategorySelection* GetCategWnd() override { return nullptr; }
    void UpdateTwoColorsButton() override {}

    CTemplate m_page;
};

// A 24-bit picture whose pixels come from colour(x, y) (0xRRGGBB, y from the top).
template <class Colour>
OwnedPicture Picture(int width, int height, Colour colour) {
    const DWORD row = static_cast<DWORD>((width * 3 + 3) / 4 * 4);
    OwnedPicture picture(new CPictureInfo);
    BYTE* block = picture->Allocate(sizeof(BITMAPINFOHEADER) + row * static_cast<DWORD>(height));
    const BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER),         width, height, 1, 24, BI_RGB,
                                  row * static_cast<DWORD>(height), 0,     0,      0, 0};
    std::memcpy(block, &header, sizeof header);
    BYTE* bits = block + sizeof header;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned rgb = colour(x, height - 1 - y);
            BYTE* p = bits + static_cast<size_t>(y) * row + static_cast<size_t>(x) * 3;
            p[0] = BYTE(rgb), p[1] = BYTE(rgb >> 8), p[2] = BYTE(rgb >> 16);
        }
    return picture;
}

OwnedPicture Photo(int seed) {
    return Picture(kPhotoWidth, kPhotoHeight, [seed](int x, int y) {
        return unsigned(x * 255 / kPhotoWidth) << 16 | unsigned(y * 255 / kPhotoHeight) << 8 |
               unsigned((x + y + seed * 40) & 0xFF);
    });
}

// An ellipse, white inside and black outside, fading at its edge.
unsigned Ellipse(int x, int y, int width, int height) {
    const double dx = (x - width / 2.0) / (width / 2.0);
    const double dy = (y - height / 2.0) / (height / 2.0);
    const double d = std::sqrt(dx * dx + dy * dy);
    const unsigned g = d >= 1.0 ? 0 : d <= 0.8 ? 255 : unsigned((1.0 - d) / 0.2 * 255);
    return g << 16 | g << 8 | g;
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return bool(out);
}

// The album files: a stencil, a mat (frame picture, mask and description) and a clipart.
bool WriteAlbumFiles(const std::string& dir) {
    const auto ellipse = [](int x, int y) { return Ellipse(x, y, 600, 400); };
    // The mat shows its frame where the mask is white and the page (through white) in the opening.
    const auto inOpening = [](int x, int y) { return x > 60 && x < 540 && y > 60 && y < 340; };
    const auto frame = [&](int x, int y) {
        return inOpening(x, y) ? 0xFFFFFFu : (x / 20 + y / 20) % 2 ? 0x806040u : 0xC0A080u;
    };
    const auto opening = [&](int x, int y) { return inOpening(x, y) ? 0u : 0xFFFFFFu; };
    const auto star = [](int x, int y) {
        return std::abs(x - 100) + std::abs(y - 100) < 90 ? 0x20C020u : 0xFFFFFFu;
    };
    return Picture(600, 400, ellipse)->WriteBmpFile((dir + "/oval.bmp").c_str()) &&
           Picture(600, 400, frame)->WriteBmpFile((dir + "/rahmen.bmp").c_str()) &&
           Picture(600, 400, opening)->WriteBmpFile((dir + "/rahmen.msk").c_str()) &&
           WriteText(dir + "/rahmen.frm", "600\n400\n60\n61\n538\n338\nRahmen\n") &&
           Picture(200, 200, star)->WriteBmpFile((dir + "/stern.bmp").c_str());
}

// The first-size member across, A4.
void SetUpPage(CTemplate& page) {
    page.SetPageSize(CSize(2100, 2970));
    page.SetOrientation(1);
}

CDrawImage* AddPicture(CTemplate& page, const CRect& frame, const CPictureInfo* photo) {
    auto* image = new CDrawImage(frame);
    image->SetTemplate(&page);
    page.InsertObject(image, -1);
    image->SetOriginalPicture(const_cast<CPictureInfo*>(photo), TRUE);
    return image;
}

struct Canvas {
    CWnd main;
    CPreviewWnd* view = nullptr;

    bool Create() {
        if (!main.CreateEx(0, nullptr, "Vellumcraft", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                           nullptr))
            return false;
        view = new CPreviewWnd;
        return view->Create(nullptr, "PreviewWnd", WS_CHILD | WS_VISIBLE, kCanvas, &main, 1202) != FALSE;
    }
    ~Canvas() {
        if (IsWindow(main.m_hWnd))
            main.DestroyWindow();
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int RedrawBench(const std::string& dir) {
    if (!WriteAlbumFiles(dir))
        return 1;
    BenchHost host;
    CTemplate& page = host.m_page;
    SetUpPage(page);
    std::vector<OwnedPicture> photos;
    for (int i = 0; i < kPictures; ++i)
        photos.push_back(Photo(i));
    std::vector<CRect> frames;
    for (int i = 0; i < kPictures; ++i)
        frames.emplace_back(100 + (i % 2) * 1000, 100 + (i / 2) * 900, 1000 + (i % 2) * 1000,
                            800 + (i / 2) * 900);
    for (int i = 0; i < kPictures; ++i) {
        CDrawImage* image = AddPicture(page, frames[i], photos[i].get());
        if (i < 2) {
            auto* stencil = new CStencil;
            stencil->SetFilePath((dir + "/oval.bmp").c_str());
            image->SetStencil(stencil);
        } else if (i < 4) {
            auto* mat = new CMat;
            mat->SetFilePath((dir + "/rahmen.bmp").c_str());
            image->SetMat(mat);
        }
        if ((i < 2 && !image->GetStencil()->IsLoaded()) ||
            (i >= 2 && i < 4 && !image->GetMat()->IsLoaded())) {
            std::fprintf(stderr, "an album file did not load: no BMP codec in VC_PROGRAM_DIR\n");
            return 1;
        }
    }
    for (int i = 0; i < 4; ++i) {
        auto* text = new CDrawText(CRect(150 + i * 450, 2800, 0, 0),
                                   "Sommer am See, Tag " + CString(std::to_string(i + 1).c_str()));
        page.InsertObject(text, -1);
        text->SetTemplate(&page);
    }
    for (int i = 0; i < 2; ++i) {
        auto* entry = new CClipart;
        entry->SetFilePath((dir + "/stern.bmp").c_str());
        auto* clipart = new CDrawClipart(CRect(800 + i * 600, 2500, 1100 + i * 600, 2800));
        clipart->SetRotation(300 + i * 150);
        page.InsertObject(clipart, -1);
        clipart->SetClipart(entry);
        clipart->RebuildRotated();
    }
    Canvas canvas;
    if (!canvas.Create())
        return 1;
    canvas.view->RedrawTemplate(); // the first redraw fits the texts and fills the caches

    std::vector<double> ours;
    for (int round = 0; round < kRounds; ++round) {
        const double start = Now();
        canvas.view->RedrawTemplate();
        ours.push_back(Now() - start);
    }

    // The peer draws the same pixels from QImages, top row first.
    std::vector<QImage> images;
    for (const OwnedPicture& photo : photos) {
        QImage image(kPhotoWidth, kPhotoHeight, QImage::Format_RGB888);
        const size_t row = static_cast<size_t>(kPhotoWidth) * 3;
        for (int y = 0; y < kPhotoHeight; ++y)
            std::memcpy(image.scanLine(y), photo->GetBits() + static_cast<size_t>(kPhotoHeight - 1 - y) * row,
                        row);
        images.push_back(std::move(image.rgbSwapped()));
    }
    QImage bitmap(kCanvas.Width(), kCanvas.Height(), QImage::Format_RGB32);
    std::vector<QRect> targets;
    for (const CRect& frame : frames) {
        const CRect window = canvas.view->ObjectToWindow(frame);
        targets.emplace_back(window.left, window.top, window.Width(), window.Height());
    }
    std::vector<double> peer;
    for (int round = 0; round <= kRounds; ++round) {
        const double start = Now();
        QPainter painter(&bitmap);
        painter.fillRect(bitmap.rect(), QColor(239, 241, 211));
        for (size_t i = 0; i < images.size(); ++i)
            painter.drawImage(targets[i], images[i]);
        painter.end();
        if (round > 0) // the first round converts and caches alike
            peer.push_back(Now() - start);
    }
    std::printf("ours=%.6f peer=%.6f\n", Median(ours), Median(peer));
    return 0;
}

int ClipboardBench(const std::string& dir, bool written) {
    BenchHost host;
    CTemplate& page = host.m_page;
    SetUpPage(page);
    const std::string path = dir + "/photo.bmp";
    if (!Photo(0)->WriteBmpFile(path.c_str()))
        return 1;
    auto* image = new CDrawImage(CRect(200, 200, 1900, 1500));
    image->SetTemplate(&page);
    page.InsertObject(image, -1);
    if (!image->SetImageFile(path.c_str(), TRUE)) {
        std::fprintf(stderr, "%s did not load: no BMP codec in VC_PROGRAM_DIR\n", path.c_str());
        return 1;
    }
    // The result's data as the temporary file holds it, for the peer; with "written" the file is written
    // before the copy, else the copy takes the result from memory.
    const CPictureInfo* result = image->GetUnwrittenResult();
    if (!result || !result->WriteBmpFile((dir + "/tempfile.bmp").c_str()))
        return 1;
    const DWORD bytes = sizeof(BITMAPFILEHEADER) + result->GetLength();
    if (written && image->GetTempFile() == INVALID_HANDLE_VALUE)
        return 1;
    page.ToggleSelect(image);
    Canvas canvas;
    if (!canvas.Create())
        return 1;
    canvas.view->RedrawTemplate();

    const double start = Now();
    canvas.view->SendMessage(WM_COMMAND, kCmdCopy, 0);
    const double copied = Now();
    canvas.view->SendMessage(WM_COMMAND, kCmdPaste, 0);
    const double end = Now();
    if (page.GetObjectCount() != 1 || !image->HasValidAdjusted())
        return 1;
    std::printf("seconds=%.6f copy=%.6f paste=%.6f bytes=%lu\n", end - start, copied - start, end - copied,
                static_cast<unsigned long>(bytes));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: canvas_bench redraw|clipboard DIR\n");
        return 2;
    }
    const std::string mode = argv[1];
    const std::string dir = argv[2];
    SetProfileFolderForTesting((dir + "/profile").c_str());
    EditModeServices services;
    SetAppServices(&services);
    const char* programDir = std::getenv("VC_PROGRAM_DIR");
    CExtMgr codecs(programDir ? programDir : ".");
    codecs.LoadPlugins();
    CDSObjMgr manager;
    int status = 2;
    if (mode == "redraw")
        status = RedrawBench(dir);
    else if (mode == "clipboard" || mode == "clipboard-written")
        status = ClipboardBench(dir, mode == "clipboard-written");
    SetAppServices(nullptr);
    return status;
}
