// The archive form of the settings: golden byte layouts for each kind of version tag, loading, and the
// refusal of settings that would overflow the fixed lists.
#include "image/AdjustImage.h"
#include "platform/base/Archive.h"
#include "tests/support/ArchiveBytes.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// The expected bytes, field by field, little-endian, strings with the archive's one-byte length.
class Golden {
public:
    Golden& U32(DWORD v) { return Put(&v, 4); }
    Golden& I32(int v) { return Put(&v, 4); }
    Golden& F32(float v) { return Put(&v, 4); }
    Golden& F64(double v) { return Put(&v, 8); }
    Golden& Str(const std::string& text) {
        const BYTE length = static_cast<BYTE>(text.size());
        Put(&length, 1);
        return Put(text.data(), text.size());
    }
    const Bytes& Get() const { return m_bytes; }

private:
    Golden& Put(const void* data, size_t size) {
        const auto* p = static_cast<const BYTE*>(data);
        m_bytes.insert(m_bytes.end(), p, p + size);
        return *this;
    }
    Bytes m_bytes;
};

Bytes Store(CAdjustImage& adjust, const char* tag) {
    return StoredBytes([&](CArchive& ar) { adjust.SerializeSettings(ar, tag); });
}

void Load(CAdjustImage& adjust, const Bytes& bytes, const char* tag) {
    LoadFromBytes(bytes, [&](CArchive& ar) { adjust.SerializeSettings(ar, tag); });
}

// The settings of the golden records.
void FillSample(CAdjustImage& adjust) {
    adjust.SetFilePath("/home/anna/Bilder/Strand.jpg");
    adjust.SetTwoColors(0x112233, 0xF0E0D0);
    adjust.brightness = 0.25f;
    adjust.contrast = 1.5f;
    adjust.gamma = 0.75f;
    adjust.saturation = 1.25f;
    adjust.sharpness = 0.5f;
    adjust.SetAdjustPercent(kAdjustSwirl, 40);
    adjust.colourMode = 2;
    adjust.mirror = 1;
    adjust.rotation = 900;
    adjust.SetStateFlag(false); // fill flag set
    adjust.SetCrop(true, 0.125, 0.875, 0.25, 0.75);
    adjust.shiftX = 12;
    adjust.shiftY = -7;
    adjust.zoom = 150;
}

Golden& Colours(Golden& g) {
    return g.U32(0x112233).U32(0xF0E0D0).F32(0.25f).F32(1.5f).F32(0.75f).F32(1.25f).F32(0.5f);
}

// Thirteen values for Emboss..Swirl; the negative's is inverted (1: off).
Golden& OldEffects(Golden& g) {
    for (int id = kAdjustEmboss; id <= kAdjustSwirl; ++id)
        g.U32(id == kAdjustNegative ? 1 : id == kAdjustSwirl ? 40 : 0);
    return g;
}

Golden& Crop(Golden& g) {
    return g.U32(1).F64(0.125).F64(0.875).F64(0.25).F64(0.75);
}

Golden& View(Golden& g) {
    return g.I32(12).I32(-7).I32(150);
}

struct GoldenCase {
    const char* tag;
    Bytes want;
};

std::vector<GoldenCase> GoldenCases() {
    Golden edit;
    edit.Str("/home/anna/Bilder/Strand.jpg");
    Colours(edit).I32(1).Str("Swirl=40").I32(2).U32(0).I32(900).U32(0);
    View(Crop(edit));

    Golden normal;
    Colours(normal).I32(1).Str("Swirl=40").I32(2).U32(0).I32(900);
    View(Crop(normal));

    Golden second;
    OldEffects(Colours(second)).I32(2).U32(0).I32(900);
    View(Crop(second));

    Golden first;
    View(OldEffects(Colours(first)).I32(2).U32(0).I32(900));

    return {{"4.1.b", edit.Get()}, {"4.1.a", normal.Get()}, {"2.0.a", second.Get()}, {"1.0.a", first.Get()}};
}

TEST(AdjustArchive, GoldenFormsOfEachVersionTag) {
    for (const GoldenCase& c : GoldenCases()) {
        CAdjustImage adjust(false);
        FillSample(adjust);
        EXPECT_EQ(Store(adjust, c.tag), c.want) << c.tag;
    }
}

// The oldest form byte for byte, written out, so that the field encodings themselves are pinned.
TEST(AdjustArchive, OldestFormAsStoredBytes) {
    const char* hex = "33221100d0e0f0000000803e0000c03f0000403f0000a03f0000003f"
                      "00000000000000000000000000000000000000000000000000000000"
                      "01000000000000000000000000000000000000002800000002000000"
                      "00000000840300000c000000f9ffffff96000000";
    Bytes want;
    for (size_t i = 0; hex[i]; i += 2)
        want.push_back(static_cast<BYTE>(std::stoi(std::string(hex + i, 2), nullptr, 16)));
    CAdjustImage adjust(false);
    FillSample(adjust);
    EXPECT_EQ(Store(adjust, "1.0.a"), want);
}

TEST(AdjustArchive, RedEyeRegionsFollowTheirEntry) {
    CAdjustImage adjust(false);
    adjust.SetCurrentShapeEntry(0.25, 0.5, 0.125, 0.375);
    adjust.SetCurrentShapeColor(0x8A7B43);
    adjust.PushShapeEntry();
    adjust.SetCurrentShapeEntry(0.5, 0.75, 0.5, 0.625);
    adjust.SetAdjustPercent(kAdjustRedEye, 60);

    Golden g;
    g.U32(0).U32(0xFFFFFF).F32(0).F32(1).F32(1).F32(1).F32(0).I32(1).Str("Red Eye Reduction=60");
    g.I32(1);
    g.F64(0.25).F64(0.125).F64(0.5).F64(0.375).I32(0).U32(0x8A7B43);
    g.F64(0.5).F64(0.5).F64(0.75).F64(0.625).I32(146).U32(0x8A7B43);
    g.I32(3).U32(1).I32(0).U32(0).F64(0).F64(1).F64(0).F64(1).I32(0).I32(0).I32(100);
    EXPECT_EQ(Store(adjust, "4.1.a"), g.Get());

    CAdjustImage loaded(false);
    Load(loaded, g.Get(), "4.1.a");
    EXPECT_TRUE(loaded.HasSameSettings(&adjust));
    EXPECT_EQ(loaded.redEye[1].threshold, 146);
}

TEST(AdjustArchive, EachFormLoadsBackWhatItHolds) {
    for (const GoldenCase& c : GoldenCases()) {
        CAdjustImage original(false);
        FillSample(original);
        CAdjustImage loaded(false);
        Load(loaded, c.want, c.tag);
        const bool edit = c.tag[4] == 'b';
        const bool crop = c.tag[0] >= '2';
        EXPECT_EQ(loaded.GetFilePath(), edit ? "/home/anna/Bilder/Strand.jpg" : "") << c.tag;
        EXPECT_EQ(loaded.IsStateFlagClear(), !edit) << c.tag;
        EXPECT_EQ(loaded.GetDarkColor(), 0x112233u);
        EXPECT_EQ(loaded.GetLightColor(), 0xF0E0D0u);
        EXPECT_EQ(loaded.GetEffectValue(kAdjustSwirl), 40) << c.tag;
        EXPECT_EQ(loaded.effectCount, 1) << c.tag;
        EXPECT_EQ(loaded.cropOn, crop ? 1 : 0) << c.tag;
        if (crop) {
            EXPECT_TRUE(loaded.HasSameSettings(&original)) << c.tag;
        }
        EXPECT_EQ(loaded.GetShift(), CSize(12, -7));
        EXPECT_EQ(loaded.zoom, 150);
        EXPECT_EQ(loaded.mirror, 1);
    }
}

TEST(AdjustArchive, PathsWrittenOnWindowsLoadWithSlashes) {
    Golden g;
    g.Str("C:\\Eigene Bilder\\Urlaub\\Strand.jpg");
    g.U32(0).U32(0xFFFFFF).F32(0).F32(1).F32(1).F32(1).F32(0).I32(0);
    g.I32(3).U32(1).I32(0).U32(1).U32(0).F64(0).F64(1).F64(0).F64(1).I32(0).I32(0).I32(100);
    CAdjustImage loaded(false);
    Load(loaded, g.Get(), "4.1.b");
    EXPECT_EQ(loaded.GetFilePath(), "C:/Eigene Bilder/Urlaub/Strand.jpg");
}

TEST(AdjustArchive, StoringAndLoadingSetTheSharpenFlagAndClearTheFlip) {
    CAdjustImage adjust(false);
    adjust.sharpen = 0;
    adjust.flip = 1;
    const Bytes stored = Store(adjust, "4.1.a");
    EXPECT_EQ(adjust.sharpen, 1);
    EXPECT_EQ(adjust.flip, 0);
    CAdjustImage loaded(false);
    loaded.sharpen = 0;
    loaded.flip = 1;
    Load(loaded, stored, "4.1.a");
    EXPECT_EQ(loaded.sharpen, 1);
    EXPECT_EQ(loaded.flip, 0);
}

// The records of an older program: effect strings and the negative of the thirteen-value form.
TEST(AdjustArchive, EffectEntriesAsOlderFilesHoldThem) {
    struct Case {
        const char* what;
        std::vector<std::string> entries;
        std::vector<ADJUST::EffectEntry> want;
    };
    const Case cases[] = {
        {"known name", {"Swirl=40"}, {{kAdjustSwirl, 40}}},
        {"unknown name is skipped", {"Bogus=7", "Swirl=40"}, {{kAdjustSwirl, 40}}},
        {"no name", {"=5"}, {}},
        {"no value sign", {"Swirl"}, {}},
        {"name with spaces", {"Red Eye Reduction=0"}, {{kAdjustRedEye, 1}}},
        {"value above the slider", {"Mosaic=500"}, {{kAdjustMosaic, 100}}},
        {"value below the slider", {"Mosaic=-3"}, {{kAdjustMosaic, 1}}},
        {"value that is no number", {"Wave=viel"}, {{kAdjustWave, 1}}},
        {"several entries stay in order", {"Wave=10", "Cone=20"}, {{kAdjustWave, 10}, {kAdjustCone, 20}}},
    };
    for (const Case& c : cases) {
        Golden g;
        g.U32(0).U32(0xFFFFFF).F32(0).F32(1).F32(1).F32(1).F32(0).I32(static_cast<int>(c.entries.size()));
        for (const std::string& entry : c.entries) {
            g.Str(entry);
            if (entry.rfind("Red Eye Reduction=", 0) == 0)
                g.I32(0).F64(0.1).F64(0.2).F64(0.3).F64(0.4).I32(150).U32(0x5A6A96);
        }
        g.I32(3).U32(1).I32(0).U32(0).F64(0).F64(1).F64(0).F64(1).I32(0).I32(0).I32(100);
        CAdjustImage loaded(false);
        loaded.SetAdjustPercent(kAdjustEmboss, 77); // replaced by the file's list
        Load(loaded, g.Get(), "3.0.a");
        ASSERT_EQ(loaded.effectCount, static_cast<int>(c.want.size())) << c.what;
        for (size_t i = 0; i < c.want.size(); ++i)
            EXPECT_EQ(loaded.effects[i], c.want[i]) << c.what;
    }
}

TEST(AdjustArchive, OlderFormNegativeAndLastValueWins) {
    struct Case {
        const char* what;
        std::vector<DWORD> values; // Emboss..Swirl
        ADJUST::EffectEntry want;
        int count;
    };
    std::vector<DWORD> none(13, 0);
    none[kAdjustNegative - kAdjustEmboss] = 1;
    std::vector<DWORD> negative(13, 0);
    std::vector<DWORD> two = none;
    two[0] = 30;
    two[12] = 60;
    std::vector<DWORD> huge = none;
    huge[3] = 0xFFFFFFFF;
    const Case cases[] = {
        {"stored 1 is no negative", none, {-1, 0}, 0},
        {"stored 0 is the negative", negative, {kAdjustNegative, 1}, 1},
        {"the last non-zero value wins", two, {kAdjustSwirl, 60}, 1},
        {"values are clamped", huge, {kAdjustCone, 100}, 1},
    };
    for (const Case& c : cases) {
        Golden g;
        g.U32(0).U32(0xFFFFFF).F32(0).F32(1).F32(1).F32(1).F32(0);
        for (DWORD v : c.values)
            g.U32(v);
        g.I32(3).U32(1).I32(0).I32(0).I32(0).I32(100);
        CAdjustImage loaded(false);
        Load(loaded, g.Get(), "1.2.a");
        EXPECT_EQ(loaded.effectCount, c.count) << c.what;
        if (c.count) {
            EXPECT_EQ(loaded.effects[0], c.want) << c.what;
        }
    }
}

// Counts and indexes that would overflow the fixed lists mean a damaged file.
TEST(AdjustArchive, RefusesListsBeyondTheirRoom) {
    struct Case {
        const char* what;
        int effects;
        int region;
    };
    const Case cases[] = {
        {"33 effect entries", 33, -2},
        {"negative effect count", -1, -2},
        {"red-eye index 32", 1, 32},
        {"negative red-eye index", 1, -1},
    };
    for (const Case& c : cases) {
        Golden g;
        g.U32(0).U32(0xFFFFFF).F32(0).F32(1).F32(1).F32(1).F32(0).I32(c.effects);
        if (c.region != -2)
            g.Str("Red Eye Reduction=50").I32(c.region);
        for (int i = 0; i < 40 * 44; ++i)
            g.I32(0); // plenty of data behind, so only the check can stop the load
        CAdjustImage loaded(false);
        try {
            Load(loaded, g.Get(), "4.1.a");
            ADD_FAILURE() << c.what << " was loaded";
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, CArchiveException::generic) << c.what;
            e->Delete();
        }
    }
}

TEST(AdjustArchive, ThirtyTwoEffectEntriesFit) {
    Golden g;
    g.U32(0).U32(0xFFFFFF).F32(0).F32(1).F32(1).F32(1).F32(0).I32(32);
    for (int i = 0; i < 32; ++i)
        g.Str("Wave=" + std::to_string(i + 1));
    g.I32(3).U32(1).I32(0).U32(0).F64(0).F64(1).F64(0).F64(1).I32(0).I32(0).I32(100);
    CAdjustImage loaded(false);
    Load(loaded, g.Get(), "4.1.a");
    EXPECT_EQ(loaded.effectCount, 32);
    EXPECT_EQ(loaded.effects[31], (ADJUST::EffectEntry{kAdjustWave, 32}));
}

TEST(AdjustArchive, CoordinatesAndZoomFromFilesAreClamped) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Golden g;
    g.U32(0).U32(0xFFFFFF).F32(0).F32(1).F32(1).F32(1).F32(0).I32(1).Str("Red Eye Reduction=50");
    g.I32(0).F64(-0.5).F64(nan).F64(1.5).F64(0.5).I32(150).U32(0);
    g.I32(3).U32(1).I32(0).U32(1).F64(-2).F64(7).F64(nan).F64(0.5).I32(0).I32(0).I32(0);
    CAdjustImage loaded(false);
    Load(loaded, g.Get(), "4.1.a");
    EXPECT_EQ(loaded.redEye[0], (ADJUST::RedEyeRegion{0.0, 0.0, 1.0, 0.5, 0, 150}));
    EXPECT_EQ(loaded.cropLeft, 0.0);
    EXPECT_EQ(loaded.cropRight, 1.0);
    EXPECT_EQ(loaded.cropTop, 0.0);
    EXPECT_EQ(loaded.cropBottom, 0.5);
    EXPECT_EQ(loaded.zoom, 1);

    Golden far;
    far.U32(0).U32(0xFFFFFF).F32(0).F32(1).F32(1).F32(1).F32(0).I32(0);
    far.I32(3).U32(1).I32(0).U32(0).F64(0).F64(1).F64(0).F64(1).I32(0).I32(0).I32(20000);
    Load(loaded, far.Get(), "4.1.a");
    EXPECT_EQ(loaded.zoom, 10000);
}

// An entry without a name writes no string, so the count must not include it.
TEST(AdjustArchive, EntriesWithoutANameAreNeitherWrittenNorCounted) {
    CAdjustImage adjust(false);
    adjust.SetEffect(25, 40);
    Golden g;
    g.U32(0).U32(0xFFFFFF).F32(0).F32(1).F32(1).F32(1).F32(0).I32(0);
    g.I32(3).U32(1).I32(0).U32(0).F64(0).F64(1).F64(0).F64(1).I32(0).I32(0).I32(100);
    EXPECT_EQ(Store(adjust, "4.1.a"), g.Get());
}

TEST(AdjustArchive, ShortDataThrows) {
    CAdjustImage adjust(false);
    FillSample(adjust);
    Bytes stored = Store(adjust, "4.1.b");
    stored.resize(stored.size() - 1);
    CAdjustImage loaded(false);
    try {
        Load(loaded, stored, "4.1.b");
        ADD_FAILURE() << "a cut record was loaded";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
        e->Delete();
    }
}

} // namespace
