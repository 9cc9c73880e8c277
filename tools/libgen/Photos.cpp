// The sample photos: variants of the photo scene in light, season and framing, one portrait with red
// eyes for the red-eye tool.
#include "tools/libgen/LibraryItems.h"
#include "tools/photoscene/PhotoScene.h"

#include <functional>
#include <future>
#include <iterator>

namespace {

constexpr int kLong = 2400;
constexpr int kShort = 1600;

struct Photo {
    const char* file;
    const char* title;
    bool upright;
    SceneVariant variant;
};

SceneVariant Landscape() {
    SceneVariant variant;
    variant.face = false;
    variant.grain = 1.2;
    return variant;
}

SceneVariant MorningAtTheLake() {
    SceneVariant v = Landscape();
    v.skyTop = {120, 160, 215};
    v.skyHorizon = {245, 225, 200};
    v.sunGlow = {255, 230, 180};
    v.sunDisc = {255, 240, 210};
    v.sunX = 0.2;
    v.sunY = 0.3;
    v.shore = 0.68;
    v.waterTop = {150, 160, 185};
    v.waterFoot = {50, 80, 120};
    return v;
}

SceneVariant SummerMeadow() {
    SceneVariant v = Landscape();
    v.skyTop = {55, 115, 210};
    v.shore = 1.5;
    v.grassTop = {110, 175, 70};
    v.grassFoot = {55, 120, 40};
    v.flowers = 0.12;
    return v;
}

SceneVariant SunsetGlow() {
    SceneVariant v = Landscape();
    v.skyTop = {70, 60, 120};
    v.skyHorizon = {245, 140, 80};
    v.sunGlow = {255, 170, 90};
    v.sunDisc = {255, 220, 160};
    v.sunX = 0.55;
    v.sunY = 0.38;
    v.rockTop = {110, 70, 90};
    v.rockFoot = {60, 40, 60};
    v.grassTop = {60, 60, 45};
    v.grassFoot = {25, 25, 25};
    v.waterTop = {200, 110, 80};
    v.waterFoot = {60, 40, 60};
    return v;
}

SceneVariant WinterLandscape() {
    SceneVariant v = Landscape();
    v.skyTop = {150, 175, 205};
    v.skyHorizon = {225, 230, 238};
    v.sunGlow = {250, 250, 240};
    v.sunY = 0.22;
    v.rockTop = {225, 230, 240};
    v.rockFoot = {170, 180, 200};
    v.grassTop = {245, 247, 250};
    v.grassFoot = {200, 210, 225};
    v.waterTop = {185, 200, 215};
    v.waterFoot = {150, 170, 190};
    v.trees = 0.05;
    v.crownLight = {70, 95, 80};
    v.crownDark = {35, 55, 45};
    return v;
}

SceneVariant AutumnForest() {
    SceneVariant v = Landscape();
    v.skyTop = {90, 135, 195};
    v.skyHorizon = {220, 215, 200};
    v.sunX = 0.15;
    v.shore = 1.5;
    v.trees = 0.22;
    v.crownLight = {235, 160, 50};
    v.crownDark = {160, 55, 30};
    v.grassTop = {150, 120, 60};
    v.grassFoot = {90, 60, 35};
    return v;
}

SceneVariant MistOverTheWater() {
    SceneVariant v = MorningAtTheLake();
    v.sunX = 0.7;
    v.sunY = 0.25;
    v.shore = 0.64;
    v.trees = 0.06;
    v.crownLight = {90, 110, 95};
    v.crownDark = {55, 70, 60};
    v.fog = 0.75;
    v.haze = {215, 218, 222};
    return v;
}

SceneVariant Portrait(bool redEyes) {
    SceneVariant v;
    v.faceX = 0.5;
    v.faceY = 0.42;
    v.faceScale = 1.5;
    v.smile = true;
    v.shoulders = true;
    v.redEyes = redEyes;
    v.grain = 1.2;
    v.shore = 1.5;
    v.trees = 0.35;
    v.sunX = 0.9;
    v.crownLight = {120, 175, 80};
    v.crownDark = {40, 95, 40};
    v.flowers = 0.08;
    v.shirt = redEyes ? SceneColour{60, 70, 120} : SceneColour{200, 80, 70};
    if (redEyes) {
        // An evening picture taken with the flash: the garden lies in dusk.
        v.skyTop = {40, 45, 80};
        v.skyHorizon = {110, 100, 120};
        v.sunGlow = {110, 100, 120};
        v.sunDisc = {130, 120, 140};
        v.crownLight = {50, 75, 50};
        v.crownDark = {20, 35, 25};
        v.grassTop = {40, 70, 35};
        v.grassFoot = {20, 40, 20};
        v.flowers = 0;
    }
    return v;
}

QImage ToImage(const std::vector<BYTE>& dib, int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    const std::int64_t stride = DibRowBytes(width, 24);
    for (int y = 0; y < height; ++y) {
        const BYTE* row = dib.data() + sizeof(BITMAPINFOHEADER) + (height - 1 - y) * stride;
        uchar* target = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            target[3 * x + 0] = row[3 * x + 2];
            target[3 * x + 1] = row[3 * x + 1];
            target[3 * x + 2] = row[3 * x + 0];
        }
    }
    return image;
}

} // namespace

std::vector<LibraryAlbum> WritePhotos(const QString& folder) {
    const Photo photos[] = {
        {"morgen_am_see.jpg", "Morgen am See", false, MorningAtTheLake()},
        {"sommerwiese.jpg", "Sommerwiese", false, SummerMeadow()},
        {"abendrot.jpg", "Abendrot", false, SunsetGlow()},
        {"winterlandschaft.jpg", "Winterlandschaft", false, WinterLandscape()},
        {"herbstwald.jpg", "Herbstwald", false, AutumnForest()},
        {"nebel_ueber_dem_wasser.jpg", "Nebel über dem Wasser", false, MistOverTheWater()},
        {"portraet_im_garten.jpg", "Porträt im Garten", true, Portrait(false)},
        {"rote_augen.jpg", "Rote Augen", true, Portrait(true)},
    };
    const auto draw = [&folder](const Photo& photo) {
        const int width = photo.upright ? kShort : kLong, height = photo.upright ? kLong : kShort;
        SavePicture(ToImage(MakePhotoScene(width, height, photo.variant), width, height),
                    folder + '/' + photo.file);
    };
    // Two scenes at a time, each writing its own file.
    LibraryAlbum album{"Beispielbilder", {}};
    for (std::size_t i = 0; i < std::size(photos); i += 2) {
        auto second = std::async(std::launch::async, draw, std::cref(photos[i + 1]));
        draw(photos[i]);
        second.get();
    }
    for (const Photo& photo : photos)
        album.items.push_back({photo.file, QString::fromUtf8(photo.title)});
    return {album};
}
