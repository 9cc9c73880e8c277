// The effects dialog on the clock, on a picture read from a binary PPM, with the resource module and the
// effects library from PROGRAM_DIR (run with QT_QPA_PLATFORM=offscreen):
//   effects_dialog_bench PROGRAM_DIR IN.ppm step EFFECT CROP
//       a strength step: the plus button pressed until the preview is repainted, at zoom 1, on the whole
//       picture (CROP 0) or its middle third (CROP 1); beside it the full rebuild that such a step made
//       before the preview worked on a reduced original (the rebuild of the working picture and the draw
//       of the preview's part). Prints seconds= and full=, each the median of five.
//   effects_dialog_bench PROGRAM_DIR IN.ppm change
//       a change of effect in the list (five presets and the preview). Prints seconds=, the median of five
//       changes to different effects.
#include "bench/support/Ppm.h"
#include "editing/EffModifWnd.h"
#include "editing/EffectsComboBox.h"
#include "editing/EffectsDlg.h"
#include "effects/EffectsExports.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 5;
constexpr UINT kPlusId = 1053;
constexpr UINT kEffectListId = 2045;
// The effects the change goes through, each with five presets.
constexpr int kChanges[] = {kAdjustSaturation, kAdjustSharpness, kAdjustEmboss, kAdjustWave, kAdjustOilPaint};

class BenchServices final : public CDefaultAppServices {
public:
    BenchServices(HMODULE resources, HMODULE effects) : m_resources(resources), m_effects(effects) {}
    HMODULE GetResourceModule() override { return m_resources; }
    HMODULE GetEffectsModule() override { return m_effects; }

private:
    HMODULE m_resources;
    HMODULE m_effects;
};

class NoOwner final : public IEffectsDialogOwner {
public:
    CAdjustImage* GetEffectsTarget() override { return nullptr; }
    void RedrawPreview() override {}
    void UpdateTwoColorsButton() override {}
    void PlayButtonSound(LPCTSTR) override {}
    BOOL ChooseTwoColors(CWnd*, COLORREF&, COLORREF&) override { return FALSE; }
};

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void Choose(CEffectsDlg& dialog, int effect) {
    dialog.GetEffectList()->SetCurSel(effect);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(kEffectListId, CBN_SELCHANGE), 0);
}

// A step as it was made before: the working settings rebuilt on the full original, and the preview's
// part of the result drawn into a picture of the preview's size.
double FullStep(const CEffectsDlg& dialog, int effect, int strength) {
    CAdjustImage full(false);
    full.CopyFrom(dialog.GetWorkBitmap());
    full.SetOriginalDib(dialog.GetWorkBitmap()->GetOriginalDib());
    full.SetAdjustPercent(effect, strength);
    const CEffModifWnd* preview = dialog.GetModifWnd();
    CRect client;
    preview->GetClientRect(&client);
    CDC dc;
    CBitmap bitmap;
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = dc.SelectObject(&bitmap);
    const double seconds = Seconds([&] {
        full.Rebuild(false);
        const CRect drawn = preview->GetDrawnRect();
        const CPictureInfo* adjusted = full.GetAdjustedDib();
        adjusted->DrawPart(&dc, drawn, CRect(0, 0, adjusted->GetWidth(), adjusted->GetHeight()), SRCCOPY);
    });
    dc.SelectObject(old);
    return seconds;
}

void MeasureStep(CEffectsDlg& dialog, int effect) {
    Choose(dialog, effect);
    std::vector<double> steps, full;
    for (int i = 0; i < kRounds; ++i) {
        steps.push_back(Seconds([&] { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(kPlusId, BN_CLICKED), 0); }));
        full.push_back(FullStep(dialog, effect, dialog.GetStrength() + 1));
    }
    std::printf("seconds=%.6f full=%.6f\n", Median(steps), Median(full));
}

void MeasureChange(CEffectsDlg& dialog) {
    std::vector<double> changes;
    for (const int effect : kChanges)
        changes.push_back(Seconds([&] { Choose(dialog, effect); }));
    std::printf("seconds=%.6f\n", Median(changes));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return 1;
    const std::string folder = argv[1];
    const std::string mode = argv[3];
    const bool step = mode == "step" && argc == 6;
    if (!step && mode != "change")
        return 1;
    QApplication application(argc, argv);
    HMODULE resources = LoadLibrary((folder + "/qz_res.deu").c_str());
    HMODULE effects = LoadLibrary((folder + "/" + kEffectsFileName).c_str());
    if (!resources || !effects)
        return 3;
    BenchServices services(resources, effects);
    SetAppServices(&services);
    AfxSetResourceHandle(resources);

    const std::vector<BYTE> dib = ReadPpmDib(argv[2]);
    CWorkBitmap picture;
    if (dib.empty() || !picture.SetTo(static_cast<DWORD>(dib.size()), dib.data()))
        return 2;
    if (step && std::atoi(argv[5]) != 0)
        picture.SetCrop(true, 1.0 / 3, 2.0 / 3, 1.0 / 3, 2.0 / 3);
    NoOwner owner;
    CEffectsDlg dialog(&picture, nullptr, &owner);
    bool opened = false;
    QTimer::singleShot(0, [&] {
        opened = dialog.GetModifWnd() != nullptr;
        if (opened) {
            if (step)
                MeasureStep(dialog, std::atoi(argv[4]));
            else
                MeasureChange(dialog);
        }
        dialog.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    SetAppServices(nullptr);
    FreeLibrary(effects);
    FreeLibrary(resources);
    return opened ? 0 : 4;
}
