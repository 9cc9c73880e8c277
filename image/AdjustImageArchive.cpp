// The archive form of the settings, which the project file and the page objects carry. Its fields
// depend on the version string the project begins with: an edit-mode version (ending in 'b' or '2')
// carries the file path and the fill flag; versions from 3 on write the effects as "name=value"
// texts, older ones as thirteen values; versions from 2 on carry the crop.
#include "image/AdjustImage.h"
#include "platform/base/Archive.h"
#include "platform/base/Path.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The effects of the older form, one value each, in this order.
constexpr int kOldFormFirst = kAdjustEmboss;
constexpr int kOldFormLast = kAdjustSwirl;
// What a loaded effect value may be: the sliders give 1..100.
constexpr int kMinEffectValue = 1;
constexpr int kMaxEffectValue = 100;

bool IsEditTag(const CString& tag) {
    if (tag.IsEmpty())
        return false;
    const char last = tag[tag.GetLength() - 1];
    return last == 'b' || last == '2';
}

char FirstChar(const CString& tag) {
    return tag.IsEmpty() ? '\0' : tag[0];
}

// A relative coordinate from a file: 0..1, and 0 for a value that is not a number.
double ClampFraction(double value) {
    return std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
}

int ClampEffectValue(long value) {
    return static_cast<int>(std::clamp<long>(value, kMinEffectValue, kMaxEffectValue));
}

[[noreturn]] void ThrowCorrupt(CArchive& ar) {
    AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
}

} // namespace

void CAdjustImage::SerializeSettings(CArchive& ar, const CString& versionTag) {
    if (ar.IsStoring())
        StoreSettings(ar, versionTag);
    else
        LoadSettings(ar, versionTag);
    // Not stored: the rebuild always sharpens and never flips.
    sharpen = 1;
    flip = 0;
}

void CAdjustImage::StoreSettings(CArchive& ar, const CString& versionTag) {
    const bool editTag = IsEditTag(versionTag);
    const char version = FirstChar(versionTag);
    if (editTag)
        ar << m_filePath;
    ar << static_cast<DWORD>(m_darkColour) << static_cast<DWORD>(m_lightColour);
    ar << brightness << contrast << gamma << saturation << sharpness;
    if (version >= '3')
        StoreEffectList(ar);
    else
        StoreOldEffects(ar);
    ar << colourMode << static_cast<DWORD>(mirror ? 0 : 1) << rotation;
    if (editTag)
        ar << static_cast<DWORD>(m_fillFlag ? 0 : 1);
    if (version >= '2')
        ar << static_cast<DWORD>(cropOn ? 1 : 0) << cropLeft << cropRight << cropTop << cropBottom;
    ar << shiftX << shiftY << zoom;
}

void CAdjustImage::LoadSettings(CArchive& ar, const CString& versionTag) {
    const bool editTag = IsEditTag(versionTag);
    const char version = FirstChar(versionTag);
    if (editTag) {
        CString path;
        ar >> path;
        m_filePath = BackslashesToSlashes(path);
    }
    DWORD dark = 0;
    DWORD light = 0;
    ar >> dark >> light;
    m_darkColour = dark;
    m_lightColour = light;
    ar >> brightness >> contrast >> gamma >> saturation >> sharpness;
    if (version >= '3')
        LoadEffectList(ar);
    else
        LoadOldEffects(ar);
    DWORD mirrorClear = 0;
    ar >> colourMode >> mirrorClear >> rotation;
    mirror = mirrorClear == 0 ? 1 : 0;
    if (editTag) {
        DWORD fillClear = 0;
        ar >> fillClear;
        m_fillFlag = fillClear == 0 ? 1 : 0;
    }
    if (version >= '2') {
        DWORD on = 0;
        ar >> on >> cropLeft >> cropRight >> cropTop >> cropBottom;
        cropOn = on > 0 ? 1 : 0;
        cropLeft = ClampFraction(cropLeft);
        cropRight = ClampFraction(cropRight);
        cropTop = ClampFraction(cropTop);
        cropBottom = ClampFraction(cropBottom);
    }
    ar >> shiftX >> shiftY >> zoom;
    ClampViewSettings();
}

void CAdjustImage::StoreEffectList(CArchive& ar) {
    // Only entries with a name can be written, and the count must say how many strings follow.
    const int used = std::clamp(effectCount, 0, kEffectSlots);
    const int named = static_cast<int>(std::count_if(effects, effects + used, [](const EffectEntry& entry) {
        return GetAdjustName(entry.id) != nullptr;
    }));
    ar << named;
    for (int i = 0; i < used; ++i) {
        const char* name = GetAdjustName(effects[i].id);
        if (!name)
            continue;
        CString text;
        text.Format("%s=%d", name, effects[i].value);
        ar << text;
        if (effects[i].id == kAdjustRedEye)
            StoreRedEyeRegions(ar);
    }
}

void CAdjustImage::LoadEffectList(CArchive& ar) {
    int stored = 0;
    ar >> stored;
    if (stored < 0 || stored > kEffectSlots)
        ThrowCorrupt(ar);
    effectCount = 0;
    for (int i = 0; i < stored; ++i) {
        CString text;
        ar >> text;
        const int equals = text.Find('=');
        if (equals <= 0)
            continue;
        const int id = FindAdjust(text.Left(equals));
        if (id < 0)
            continue;
        const long value = std::strtol(text.Mid(equals + 1), nullptr, 10);
        effects[effectCount++] = {id, ClampEffectValue(value)};
        if (id == kAdjustRedEye)
            LoadRedEyeRegions(ar);
    }
}

void CAdjustImage::StoreOldEffects(CArchive& ar) {
    for (int id = kOldFormFirst; id <= kOldFormLast; ++id) {
        const int value = GetEffectValue(id);
        // The older form stores the negative the other way round.
        if (id == kAdjustNegative)
            ar << static_cast<DWORD>(value == 0 ? 1 : 0);
        else
            ar << static_cast<DWORD>(value);
    }
}

void CAdjustImage::LoadOldEffects(CArchive& ar) {
    for (int id = kOldFormFirst; id <= kOldFormLast; ++id) {
        DWORD stored = 0;
        ar >> stored;
        if (id == kAdjustNegative)
            stored = stored == 0 ? 1 : 0;
        if (stored != 0)
            SetEffect(id, ClampEffectValue(static_cast<long>(std::min<DWORD>(stored, kMaxEffectValue))));
    }
}

void CAdjustImage::StoreRedEyeRegions(CArchive& ar) {
    const int last = std::clamp(currentRegion, 0, kRedEyeSlots - 1);
    ar << last;
    for (int i = 0; i <= last; ++i) {
        const RedEyeRegion& region = redEye[i];
        ar << region.left << region.top << region.right << region.bottom << region.threshold
           << static_cast<DWORD>(region.colour);
    }
}

void CAdjustImage::LoadRedEyeRegions(CArchive& ar) {
    int last = 0;
    ar >> last;
    if (last < 0 || last >= kRedEyeSlots)
        ThrowCorrupt(ar);
    currentRegion = last;
    for (int i = 0; i <= last; ++i) {
        RedEyeRegion& region = redEye[i];
        DWORD colour = 0;
        ar >> region.left >> region.top >> region.right >> region.bottom >> region.threshold >> colour;
        region.colour = colour;
        region.left = ClampFraction(region.left);
        region.top = ClampFraction(region.top);
        region.right = ClampFraction(region.right);
        region.bottom = ClampFraction(region.bottom);
    }
}
