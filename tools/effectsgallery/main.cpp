// effectsgallery: the photo-like test picture through every adjustment and effect, as PNG files for a
// person to judge the looks:
//   effectsgallery PROGRAM_FOLDER OUTPUT_FOLDER
// Tones are shown at slider 80, effects at strength 50, and the colour modes, mirror, crop, rotation and
// red-eye reduction each on their own. An effect whose library is missing is left out, not drawn as
// the unchanged picture. overview.png puts all of them on one sheet with their names.

#include "effects/EffectsExports.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/base/WinStructs.h"
#include "rastrum/RastrumExports.h"
#include "tools/photoscene/PhotoScene.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 240;
constexpr int kToneSlider = 80;
constexpr int kEffectStrength = 50;

// What the adjustment engine asks of the application: the two libraries; message boxes answer OK.
class GalleryServices final : public CDefaultAppServices {
public:
    GalleryServices(HMODULE effects, HMODULE rastrum) : m_effects(effects), m_rastrum(rastrum) {}
    int MessageBox(UINT, UINT, UINT) override { return IDOK; }
    int MessageBoxText(const CString&, UINT, UINT) override { return IDOK; }
    HMODULE GetEffectsModule() override { return m_effects; }
    HMODULE GetRastrumModule() override { return m_rastrum; }

private:
    HMODULE m_effects;
    HMODULE m_rastrum;
};

// A top-down RGB image of an 8- or 24-bit picture in the program's form.
QImage ToImage(const CPictureInfo& picture) {
    const BITMAPINFOHEADER* h = picture.GetHeader();
    const int width = h->biWidth, height = h->biHeight, bpp = h->biBitCount;
    const auto* table = reinterpret_cast<const RGBQUAD*>(h + 1);
    const std::int64_t stride = DibRowBytes(width, bpp);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const BYTE* row = picture.GetBits() + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            if (bpp == 8) {
                const RGBQUAD c = table[row[x]];
                image.setPixel(x, y, qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue));
            } else {
                image.setPixel(x, y, qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
            }
        }
    }
    return image;
}

struct Shot {
    std::string file;    // without .png
    std::string caption; // on the overview sheet
    std::function<void(CWorkBitmap&)> adjust;
    const char* needsExport; // the effects library's export it shows, or null
    bool needsRastrum = false;
};

std::vector<Shot> Shots() {
    auto slider = [](int id, int v) { return [id, v](CWorkBitmap& w) { w.SetAdjustPercent(id, v); }; };
    auto effect = [](int id) { return [id](CWorkBitmap& w) { w.SetAdjustPercent(id, kEffectStrength); }; };
    std::vector<Shot> shots{
        {"00-original", "Original", [](CWorkBitmap&) {}, nullptr},
        {"01-brightness-80", "Brightness 80", slider(kAdjustBrightness, kToneSlider), nullptr},
        {"02-saturation-80", "Saturation 80", slider(kAdjustSaturation, kToneSlider), nullptr},
        {"03-contrast-80", "Contrast 80", slider(kAdjustContrast, kToneSlider), nullptr},
        {"04-sharpness-80", "Sharpness 80", slider(kAdjustSharpness, kToneSlider), nullptr},
        {"05-gamma-80", "Gamma 80", slider(kAdjustGamma, kToneSlider), nullptr},
        {"06-emboss-50", "Emboss 50", effect(kAdjustEmboss), kEmbossExportName},
        {"07-wave-50", "Wave 50", effect(kAdjustWave), kWaveExportName},
        {"08-addnoise-50", "AddNoise 50", effect(kAdjustAddNoise), kAddNoiseExportName},
        {"09-cone-50", "Cone 50", effect(kAdjustCone), kConeExportName},
        {"10-findedge-50", "FindEdge 50", effect(kAdjustFindEdge), kFindEdgesExportName},
        {"11-fisheye-50", "FishEye 50", effect(kAdjustFishEye), kFishEyeExportName},
        {"12-mosaic-50", "Mosaic 50", effect(kAdjustMosaic), kMosaicExportName},
        {"13-negative", "Negative", slider(kAdjustNegative, 0), kNegativeExportName},
        {"14-oilpaint-50", "OilPaint 50", effect(kAdjustOilPaint), kOilPaintExportName},
        {"15-raise-50", "Raise 50", effect(kAdjustRaise), kRaiseExportName},
        {"16-solarize-50", "Solarize 50", effect(kAdjustSolarize), kSolarizeExportName},
        {"17-spread-50", "Spread 50", effect(kAdjustSpread), kSpreadExportName},
        {"18-swirl-50", "Swirl 50", effect(kAdjustSwirl), kSwirlExportName},
        {"19-curl-50", "Curl 50", effect(kAdjustCurl), nullptr, true},
        {"20-red-eye-reduction", "Red Eye Reduction 50",
         [](CWorkBitmap& w) {
             const auto eyes = PhotoSceneEyes(kWidth, kHeight);
             w.SetAdjustPercent(kAdjustRedEye, kEffectStrength);
             w.SetCurrentShapeColor(0x5A6A96);
             w.SetCurrentShapeEntry(eyes[0].left, eyes[0].right, eyes[0].top, eyes[0].bottom);
             w.PushShapeEntry();
             w.SetCurrentShapeEntry(eyes[1].left, eyes[1].right, eyes[1].top, eyes[1].bottom);
         },
         nullptr},
        {"21-two-colours", "Two colours", [](CWorkBitmap& w) { w.colourMode = 0; }, nullptr},
        {"22-two-colours-sepia", "Two colours, own pair",
         [](CWorkBitmap& w) {
             w.colourMode = 0;
             w.SetTwoColors(RGB(60, 35, 20), RGB(245, 230, 200));
         },
         nullptr},
        {"23-grey", "Grey", [](CWorkBitmap& w) { w.colourMode = 1; }, nullptr},
        {"24-256-colours", "256 colours", [](CWorkBitmap& w) { w.colourMode = 2; }, nullptr},
        {"25-mirror", "Mirror", [](CWorkBitmap& w) { w.mirror = 1; }, nullptr},
        {"26-crop", "Crop", [](CWorkBitmap& w) { w.SetCrop(true, 0.1, 0.6, 0.3, 0.85); }, nullptr},
        {"27-rotation-15", "Rotation 15 degrees", [](CWorkBitmap& w) { w.rotation = 150; }, nullptr},
    };
    return shots;
}

QImage Overview(const std::vector<std::pair<std::string, QImage>>& pictures) {
    constexpr int kColumns = 4, kThumbWidth = 180, kThumbHeight = 128, kCaption = 22, kGap = 8;
    const int rows = (static_cast<int>(pictures.size()) + kColumns - 1) / kColumns;
    QImage sheet(kColumns * (kThumbWidth + kGap) + kGap, rows * (kThumbHeight + kCaption + kGap) + kGap,
                 QImage::Format_RGB32);
    sheet.fill(QColor(236, 236, 236));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font("Liberation Sans");
    font.setPixelSize(14);
    painter.setFont(font);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const int x = kGap + static_cast<int>(i % kColumns) * (kThumbWidth + kGap);
        const int y = kGap + static_cast<int>(i / kColumns) * (kThumbHeight + kCaption + kGap);
        const QImage thumb = pictures[i].second.scaled(kThumbWidth, kThumbHeight, Qt::KeepAspectRatio,
                                                       Qt::SmoothTransformation);
        painter.drawImage(x + (kThumbWidth - thumb.width()) / 2, y + (kThumbHeight - thumb.height()) / 2,
                          thumb);
        painter.setPen(Qt::black);
        painter.drawText(QRect(x, y + kThumbHeight, kThumbWidth, kCaption), Qt::AlignCenter,
                         QString::fromStdString(pictures[i].first));
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: effectsgallery PROGRAM_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    const std::string programFolder = argv[1], outputFolder = argv[2];
    HMODULE effects = LoadLibrary((programFolder + "/" + kEffectsFileName).c_str());
    HMODULE rastrum = LoadLibrary((programFolder + "/" + kRastrumFileName).c_str());
    GalleryServices services(effects, rastrum);
    SetAppServices(&services);

    const std::vector<BYTE> scene = MakePhotoScene(kWidth, kHeight);
    std::vector<std::pair<std::string, QImage>> pictures;
    int status = 0;
    for (const Shot& shot : Shots()) {
        if ((shot.needsExport && !GetProcAddress(effects, shot.needsExport)) ||
            (shot.needsRastrum && !rastrum)) {
            std::fprintf(stderr, "effectsgallery: %s left out, its library is missing\n", shot.file.c_str());
            continue;
        }
        CWorkBitmap work;
        if (!work.SetTo(static_cast<DWORD>(scene.size()), scene.data()))
            return 1;
        shot.adjust(work);
        if (!work.Rebuild(true)) {
            std::fprintf(stderr, "effectsgallery: %s could not be built\n", shot.file.c_str());
            status = 1;
            continue;
        }
        const QImage image = ToImage(*work.GetAdjustedDib());
        if (!image.save(QString::fromStdString(outputFolder + "/" + shot.file + ".png"), "PNG"))
            status = 1;
        pictures.emplace_back(shot.caption, image);
    }
    if (!Overview(pictures).save(QString::fromStdString(outputFolder + "/overview.png"), "PNG"))
        status = 1;
    SetAppServices(nullptr);
    return status;
}
