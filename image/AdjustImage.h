#pragma once
// CAdjustImage: a picture kept non-destructively. It holds the ADJUST settings together with the
// original picture (shared by reference), the adjusted picture and the rotation mask made from them, the
// two colours of the two-colour mode, the fill flag, the picture's file path and a temporary file that
// keeps the last unrotated result, so that a new rotation needs no full rebuild.
//
// The twenty adjustments are numbered 0..19: five tone settings that the conversion applies, then
// the effects, of which the settings hold one at a time.

#include "image/Adjust.h"
#include "platform/base/AppServices.h"
#include "platform/base/String.h"

class CArchive;
class CPictureInfo;

enum AdjustId : int {
    kAdjustBrightness = 0,
    kAdjustSaturation = 1,
    kAdjustContrast = 2,
    kAdjustSharpness = 3,
    kAdjustGamma = 4,
    kAdjustEmboss = 5,
    kAdjustWave = 6,
    kAdjustAddNoise = 7,
    kAdjustCone = 8,
    kAdjustFindEdge = 9,
    kAdjustFishEye = 10,
    kAdjustMosaic = 11,
    kAdjustNegative = 12,
    kAdjustOilPaint = 13,
    kAdjustRaise = 14,
    kAdjustSolarize = 15,
    kAdjustSpread = 16,
    kAdjustSwirl = 17,
    kAdjustCurl = 18,
    kAdjustRedEye = 19,
};
inline constexpr int kAdjustCount = 20;

class CAdjustImage : public ADJUST {
public:
    // With useTempFile a private temporary file (gone when the object goes) keeps the last unrotated
    // result; without one, SetRotation has nothing to turn.
    explicit CAdjustImage(bool useTempFile);
    virtual ~CAdjustImage();
    CAdjustImage(const CAdjustImage&) = delete;
    CAdjustImage& operator=(const CAdjustImage&) = delete;

    // The settings, the two colours and the file path; not the pictures, the fill flag or the file.
    void CopyFrom(const CAdjustImage* src);
    // A new object (the caller's) without a temporary file, holding a CopyFrom of this one.
    CAdjustImage* Clone() const;
    bool HasSameSettings(const CAdjustImage* other) const { return other && SettingsEqual(*other); }

    // The name of an adjustment in stored settings ("Brightness" ...), null outside 0..19.
    static const char* GetAdjustName(int id);
    // The id of a name (exact, case-sensitive), -1 when none.
    static int FindAdjust(const char* name);
    // The text-module string of an adjustment's display name, 0 outside 0..19.
    static UINT GetAdjustStringId(int id);
    // count preset values of an adjustment for the effects dialog; -1 where there is none. For red-eye
    // reduction the presets are eye colours. Nothing for a count below 1.
    static void GetEffectPresets(int id, int* values, int count);
    // Adds the twenty display names, in id order, to a combo box (anything with AddString).
    template <class ComboBox>
    static void FillEffectList(ComboBox* combo) {
        for (int id = 0; id < kAdjustCount; ++id)
            combo->AddString(AppServices().LoadString(GetAdjustStringId(id), 255));
    }

    // The value of the effect of that id in the list, 0 when it is not there.
    int GetEffectValue(int id) const;
    // Makes the effect the only one: the list holds {id, value}, or nothing for a value of 0 or below.
    void SetEffect(int id, int value);
    // The slider position 0..100 of an adjustment, and the setting of a slider position.
    int GetAdjustPercent(int id) const;
    void SetAdjustPercent(int id, int v);

    // Stores the rotation (brought into 0..3599) and turns the unrotated result of the last rebuild,
    // read back from the temporary file, by it. Nothing when the rotation does not change.
    void SetRotation(int tenths);

    // Pictures. The original is shared: the object takes a reference. The others are the object's own:
    // the setters store copies. Where the settings change nothing, the adjusted picture is the original
    // itself; no picture held here is changed in place.
    void SetOriginalDib(CPictureInfo* picture);
    void SetAdjustedDib(const CPictureInfo* picture);
    void SetRotatedDib(const CPictureInfo* picture);
    void FreeOriginalDib();
    void FreeAdjustedDib();
    void FreeRotatedDib();
    CPictureInfo* GetOriginalDib() const { return m_original; }
    CPictureInfo* GetAdjustedDib() const { return m_adjusted; }
    // The 1-bit mask of the corners the last rotation left empty (black there, white on the picture).
    CPictureInfo* GetRotatedDib() const { return m_rotatedMask; }
    void SwapDibs(CAdjustImage& other);

    CString GetFilePath() const { return m_filePath; }
    void SetFilePath(const CString& path) { m_filePath = path; }

    // The colours of the two-colour mode.
    COLORREF GetDarkColor() const { return m_darkColour; }
    COLORREF GetLightColor() const { return m_lightColour; }
    void SetTwoColors(COLORREF dark, COLORREF light) {
        m_darkColour = dark;
        m_lightColour = light;
    }

    // The fill flag: set, the page stretches the picture to fill its frame; clear, it keeps the
    // picture's proportions.
    bool IsStateFlagClear() const { return m_fillFlag == 0; }
    void SetStateFlag(bool b) { m_fillFlag = b ? 0 : 1; }

    // The temporary file, or INVALID_HANDLE_VALUE; it stays the object's. The unrotated result of the
    // last rebuild is written to it when it is first asked for.
    HANDLE GetTempFile() const;
    // That result while it is not yet written, or null.
    const CPictureInfo* GetUnwrittenResult() const { return m_unrotated; }
    // The source's pictures as the setters take them, an adjusted picture that is the original itself
    // shared like the original, and a reference to its unwritten result, which becomes this object's (when
    // it has a temporary file). False when the source's result is in its file already: the caller copies
    // the file.
    bool CopyPicturesFrom(const CAdjustImage& source);

    // Makes the adjusted picture anew from the original and the settings; true when there is one.
    // Without exactRotation the picture turns only by whole quarter turns of its rotation.
    bool Rebuild(bool exactRotation);
    bool ResetAndRebuild();
    // The rebuild: crop, effects, conversion (with convert), the unrotated result into the temporary
    // file, rotation.
    bool ApplyAdjustments(bool convert, bool exactRotation);
    // One adjustment or effect applied to the picture in place; false, with the picture unchanged, when
    // it could not be applied (no library, no export, a failed call, an unknown id).
    bool ApplyEffect(CPictureInfo* picture, int id, int value);
    // A new picture (the caller's) from a packed DIB in global memory, which is freed; or, without a
    // block, from the BMP file at the file path. Null when there is nothing readable.
    CPictureInfo* ReadFileToMemory(HGLOBAL block);

    // Stores or loads the settings in the form of a project version: versionTag is the version string
    // the project file begins with ("4.1.b" ...). Loading throws CArchiveException for settings that
    // cannot be right.
    void SerializeSettings(CArchive& ar, const CString& versionTag);

private:
    void StoreSettings(CArchive& ar, const CString& versionTag);
    void LoadSettings(CArchive& ar, const CString& versionTag);
    void StoreEffectList(CArchive& ar);
    void LoadEffectList(CArchive& ar);
    void StoreOldEffects(CArchive& ar);
    void LoadOldEffects(CArchive& ar);
    void StoreRedEyeRegions(CArchive& ar);
    void LoadRedEyeRegions(CArchive& ar);
    bool KeepsOriginal(bool convert) const;
    bool BuildAdjusted(bool convert);
    void KeepUnrotated();
    bool CropAdjusted();
    bool ConvertAdjusted();
    void RotateAdjusted(int tenths);

    CPictureInfo* m_original = nullptr;
    CPictureInfo* m_adjusted = nullptr;
    CPictureInfo* m_rotatedMask = nullptr;
    COLORREF m_darkColour = 0;
    COLORREF m_lightColour = 0xFFFFFF;
    BYTE m_fillFlag = 0;
    HANDLE m_tempFile = INVALID_HANDLE_VALUE;
    // The unrotated result not yet in the temporary file.
    mutable CPictureInfo* m_unrotated = nullptr;
    CString m_filePath;
};
