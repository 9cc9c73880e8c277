// The preview rendered on a reduced original against the full picture rendered and drawn in the
// preview's part, at zoom 1, whole and cropped, in every orientation; red-eye reduction in the preview.

#include "editing/PreviewPicture.h"

#include "editing/PreviewView.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "platform/base/Module.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "tests/support/FakeAppServices.h"
#include "tools/photoscene/PhotoScene.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Half the dialog's preview, and a photo that stays larger than it whole and cropped to 60 %: small, so
// that the sanitizers' build runs the full rebuilds quickly.
constexpr CSize kClient(240, 194);
constexpr CSize kPhoto(450, 300);

struct Case {
    const char* name;
    int adjustment;
    int percent;
    bool cropped;
    BYTE mirror;
    int rotation;
    // The largest difference of a channel from the full picture's preview, and of the mean over all.
    int largest;
    double mean;
};

// Tone settings take the same pixels either way, in every orientation. Neighbourhood effects act at the
// preview's scale: their bounds are the photo scene's differences (sharpness at most 22 and 0.52 on
// average, the relief's equalised tones 102 and 3.4) with a margin; a wrong pixel order gives tens.
const Case kCases[] = {
    {"brightness", kAdjustBrightness, 80, false, 0, 0, 0, 0.0},
    {"brightness cropped", kAdjustBrightness, 80, true, 0, 0, 0, 0.0},
    {"brightness mirrored", kAdjustBrightness, 30, false, 1, 0, 0, 0.0},
    {"brightness cropped, quarter turn", kAdjustBrightness, 30, true, 0, 900, 0, 0.0},
    {"brightness mirrored, half turn", kAdjustBrightness, 70, false, 1, 1800, 0, 0.0},
    {"brightness cropped, three quarters", kAdjustBrightness, 70, true, 0, 2700, 0, 0.0},
    {"sharpness", kAdjustSharpness, 90, false, 0, 0, 40, 0.8},
    {"sharpness cropped", kAdjustSharpness, 90, true, 0, 0, 40, 0.8},
    {"emboss", kAdjustEmboss, 20, false, 0, 0, 255, 6.0},
    {"emboss cropped", kAdjustEmboss, 20, true, 0, 0, 255, 6.0},
};

// The client-sized image the preview's off-screen image would hold.
class Client {
public:
    Client() {
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap.CreateCompatibleBitmap(&m_dc, kClient.cx, kClient.cy);
        m_old = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, kClient.cx, kClient.cy, 0);
    }
    ~Client() { m_dc.SelectObject(m_old); }
    CDC* Dc() { return &m_dc; }
    std::vector<COLORREF> Pixels() {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < kClient.cy; ++y)
            for (int x = 0; x < kClient.cx; ++x)
                pixels.push_back(m_dc.GetPixel(x, y));
        return pixels;
    }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};

CRect Target(const CPreviewView& view) {
    const AxisSpan across = view.HorizontalSpan();
    const AxisSpan down = view.VerticalSpan();
    return CRect(across.targetStart, down.targetStart, across.targetEnd, down.targetEnd);
}

// The preview as the window draws it.
std::vector<COLORREF> Drawn(const CPreviewPicture& preview, const CPreviewView& view) {
    Client client;
    preview.GetPicture()->DrawPart(client.Dc(), Target(view), preview.SourceRect(view), SRCCOPY);
    return client.Pixels();
}

// The preview as the full picture's rebuild gives it.
std::vector<COLORREF> FullPreview(const CAdjustImage& settings, const CPreviewView& view) {
    CAdjustImage full(false);
    full.CopyFrom(&settings);
    full.SetOriginalDib(settings.GetOriginalDib());
    EXPECT_TRUE(full.Rebuild(false));
    const AxisSpan across = view.HorizontalSpan();
    const AxisSpan down = view.VerticalSpan();
    Client client;
    full.GetAdjustedDib()->DrawPart(
        client.Dc(), Target(view),
        CRect(across.sourceStart, down.sourceStart, across.sourceEnd, down.sourceEnd), SRCCOPY);
    return client.Pixels();
}

class PreviewFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_effects = LoadLibrary(VC_PROGRAM_DIR "/libEffects.so");
        // Larger than the preview whole and cropped, so that both are reduced; made once, as it takes a
        // while under the sanitizers.
        s_photo = MakePhotoScene(kPhoto.cx, kPhoto.cy);
    }
    static void TearDownTestSuite() {
        FreeLibrary(s_effects);
        s_photo.clear();
    }

    void SetUp() override {
        ASSERT_NE(s_effects, nullptr);
        m_services.SetEffectsModule(s_effects);
        ASSERT_TRUE(m_work.SetTo(static_cast<DWORD>(s_photo.size()), s_photo.data()));
    }

    static HMODULE s_effects;
    static std::vector<BYTE> s_photo;
    FakeAppServices m_services;
    CWorkBitmap m_work;
};

HMODULE PreviewFixture::s_effects = nullptr;
std::vector<BYTE> PreviewFixture::s_photo;

class PreviewPictureTest : public PreviewFixture, public ::testing::WithParamInterface<Case> {};

} // namespace

TEST_P(PreviewPictureTest, ShowsWhatTheFullPicturesPreviewShows) {
    const Case& c = GetParam();
    m_work.SetAdjustPercent(c.adjustment, c.percent);
    if (c.cropped)
        m_work.SetCrop(true, 0.2, 0.8, 0.2, 0.8);
    m_work.mirror = c.mirror;
    m_work.rotation = c.rotation;
    CPreviewView view;
    view.SetClientSize(kClient);
    view.SetPictureSize(CPreviewPicture::FullSize(m_work));
    view.ResetView();

    CPreviewPicture preview;
    ASSERT_TRUE(preview.Render(m_work, view));
    EXPECT_TRUE(preview.IsReduced());
    const std::vector<COLORREF> shown = Drawn(preview, view);
    const std::vector<COLORREF> expected = FullPreview(m_work, view);

    int largest = 0;
    double sum = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        for (int shift : {0, 8, 16}) {
            const int d = std::abs(static_cast<int>((shown[i] >> shift) & 0xFF) -
                                   static_cast<int>((expected[i] >> shift) & 0xFF));
            largest = std::max(largest, d);
            sum += d;
        }
    }
    const double mean = sum / static_cast<double>(3 * shown.size());
    EXPECT_LE(largest, c.largest);
    EXPECT_LE(mean, c.mean);
}

INSTANTIATE_TEST_SUITE_P(Cases, PreviewPictureTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name = info.param.name;
                             std::replace_if(
                                 name.begin(), name.end(), [](char ch) { return !std::isalnum(ch); }, '_');
                             return name;
                         });

// Red-eye reduction over the photo scene's left pupil, whole (a reduced original) and at zoom 4 with the
// eye in the middle (the full original). At strength 0 the effect is off and the pupil stays red, as the
// dialog shows a region before the bar is moved; at 50 the red pixels in the region go and nothing
// outside it changes.
TEST_F(PreviewFixture, RedEyeReductionTakesTheRedOutOfThePupilOnly) {
    const SceneRect eye = PhotoSceneEyes(kPhoto.cx, kPhoto.cy)[0];
    m_work.SetCurrentShapeEntry(eye.left, eye.right, eye.top, eye.bottom);
    m_work.SetCurrentShapeColor(0x5A6A96);
    for (const int zoom : {1, 4}) {
        CPreviewView view;
        view.SetClientSize(kClient);
        view.SetPictureSize(CPreviewPicture::FullSize(m_work));
        view.ResetView();
        if (zoom > 1) {
            view.ZoomTo(zoom);
            CRect rect = view.GetPictureRect();
            rect.OffsetRect(
                kClient.cx / 2 - rect.left - static_cast<int>(rect.Width() * (eye.left + eye.right) / 2),
                kClient.cy / 2 - rect.top - static_cast<int>(rect.Height() * (eye.top + eye.bottom) / 2));
            view.SetPictureRect(rect);
        }
        const CRect picture = view.GetPictureRect();
        const CRect region(picture.left + static_cast<int>(picture.Width() * eye.left),
                           picture.top + static_cast<int>(picture.Height() * eye.top),
                           picture.left + static_cast<int>(picture.Width() * eye.right),
                           picture.top + static_cast<int>(picture.Height() * eye.bottom));
        std::vector<COLORREF> shown[2];
        for (const int strength : {0, 50}) {
            m_work.SetAdjustPercent(kAdjustRedEye, strength);
            CPreviewPicture preview;
            ASSERT_TRUE(preview.Render(m_work, view));
            EXPECT_EQ(zoom == 1, preview.IsReduced());
            shown[strength != 0] = Drawn(preview, view);
        }
        int redBefore = 0, redAfter = 0, changedOutside = 0;
        for (int y = 0; y < kClient.cy; ++y)
            for (int x = 0; x < kClient.cx; ++x) {
                const size_t i = static_cast<size_t>(y * kClient.cx + x);
                auto red = [](COLORREF c) {
                    return GetRValue(c) >= 120 && GetRValue(c) > 2 * GetGValue(c) &&
                           GetRValue(c) > 2 * GetBValue(c);
                };
                if (region.PtInRect(CPoint(x, y))) {
                    redBefore += red(shown[0][i]);
                    redAfter += red(shown[1][i]);
                } else {
                    changedOutside += shown[0][i] != shown[1][i];
                }
            }
        EXPECT_GT(redBefore, region.Width() * region.Height() / 6) << "zoom " << zoom;
        EXPECT_EQ(redAfter, 0) << "zoom " << zoom;
        EXPECT_EQ(changedOutside, 0) << "zoom " << zoom;
    }
}
