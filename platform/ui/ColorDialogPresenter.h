#pragma once
// The colour chooser behind CColorDialog. The program installs one that shows Qt's colour dialog
// (CQtColorDialogPresenter); tests install one that picks or cancels as scripted. Without one the
// chooser is cancelled, so that nothing waits for a user who is not there.

#include "platform/ui/UiTypes.h"

inline constexpr DWORD CC_RGBINIT = 0x00000001;
inline constexpr DWORD CC_FULLOPEN = 0x00000002;
inline constexpr DWORD CC_PREVENTFULLOPEN = 0x00000004;
inline constexpr DWORD CC_ANYCOLOR = 0x00000100;

// The number of custom colours a chooser keeps.
inline constexpr int kCustomColorCount = 16;

struct CHOOSECOLOR {
    DWORD lStructSize = sizeof(CHOOSECOLOR);
    HWND hwndOwner = nullptr;
    // The colour shown first (with CC_RGBINIT), and the one chosen.
    COLORREF rgbResult = 0;
    // kCustomColorCount colours, shown and updated by the chooser; null for none.
    COLORREF* lpCustColors = nullptr;
    DWORD Flags = 0;
};

class IColorDialogPresenter {
public:
    virtual ~IColorDialogPresenter() = default;
    // Shows the chooser; TRUE with rgbResult (and the custom colours) set when the user chose a colour.
    virtual BOOL Choose(CHOOSECOLOR& request) = 0;
};

// Installs the presenter (null goes back to the built-in one, which cancels); the caller keeps ownership.
void SetColorDialogPresenter(IColorDialogPresenter* presenter);
IColorDialogPresenter& GetColorDialogPresenter();
