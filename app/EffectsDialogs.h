#pragma once
// The image editing dialogs as the main window sees them. The editing library implements the runner and
// installs it at start-up; the main window implements the owner. Neither side includes the other.

#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/base/WinStructs.h"
#include "platform/base/WinTypes.h"

class CAdjustImage;
class CWnd;

// What the effects dialog asks of the main window.
class IEffectsDialogOwner {
public:
    virtual ~IEffectsDialogOwner() = default;

    // The picture an accepted dialog writes into: the first selected picture object's adjustment part
    // in edit mode, the working picture in normal mode; null when there is none.
    virtual CAdjustImage* GetEffectsTarget() = 0;
    // Redraws the page in the page canvas.
    virtual void RedrawPreview() = 0;
    // Shows the current picture's two colours on the two-colour button.
    virtual void UpdateTwoColorsButton() = 0;
    // Plays a file of the sound folder ("tick.wav" ...) when the sound setting is on.
    virtual void PlayButtonSound(LPCTSTR fileName) = 0;
    // Lets the user choose the two colours of two-colour mode; FALSE (nothing changed) when cancelled.
    virtual BOOL ChooseTwoColors(CWnd* parent, COLORREF& first, COLORREF& second) = 0;
};

// What the effects dialog hands back after IDOK.
struct EffectsDialogResult {
    BOOL applied = FALSE; // OK wrote the settings into the target already
    int colourMode = 3;
    BOOL mirror = FALSE;
    int rotation = 0; // tenths of a degree
    COLORREF firstColour = 0;
    COLORREF secondColour = 0xFFFFFF;
    BOOL cropOn = FALSE;
    double cropLeft = 0.0;
    double cropRight = 1.0;
    double cropTop = 0.0;
    double cropBottom = 1.0;
};

// The move pad's buttons as the main window answers them: the eight steps and the pad's undo.
class IMovePadOwner {
public:
    virtual ~IMovePadOwner() = default;

    virtual void DecreasePictureOffsetX() = 0;
    virtual void IncreasePictureOffsetX() = 0;
    virtual void DecreasePictureOffsetY() = 0;
    virtual void IncreasePictureOffsetY() = 0;
    virtual void IncreasePictureZoom() = 0;
    virtual void DecreasePictureZoom() = 0;
    virtual void IncreasePictureRotation() = 0;
    virtual void DecreasePictureRotation() = 0;
    // The pad's cancel: takes back the record pushed before the pad opened.
    virtual void OnUndo() = 0;
};

// What the adjustment panel calls with each new value of the current adjustment. The panel's cancel
// applies the opening percent once more; a percent cannot carry every setting (gamma between two steps),
// so after IDCANCEL the caller puts back the exact settings it kept from before the panel opened.
class IToolPanelOwner {
public:
    virtual ~IToolPanelOwner() = default;

    virtual void SetAdjustmentValue(int value) = 0;
};

// What the save-picture dialog is given, and what it chose after IDOK.
struct SavePictureRequest {
    CString filter; // '|'-separated types, as the file dialog takes them
    CString folder; // where the listing starts
    int width = 0;
    int height = 0;
    int colorsUsed = 0; // 0: unknown
};
struct SavePictureChoice {
    CString path;
    int bitsPerPixel = 0; // 0: the format's default
    int preset = 0;       // quality preset 0..5
    int resampleMode = 0; // 0 normal, 2 resample, 4 bicubic
    CSize size;           // the saved picture's size
};

class IEffectsDialogs {
public:
    virtual ~IEffectsDialogs() = default;

    // Runs the effects dialog modally on picture (the edited picture's adjustment part, which the dialog
    // reads but only changes on its OK). Returns IDOK or IDCANCEL; result is filled after IDOK. settings
    // receives the dialog's working settings after IDOK when not null.
    virtual INT_PTR RunEffectsDialog(CAdjustImage* picture, CWnd* parent, IEffectsDialogOwner* owner,
                                     EffectsDialogResult* result, CAdjustImage* settings) = 0;
    // The move pad, modal, beside the page canvas (canvas: its rectangle on the screen).
    virtual INT_PTR RunMoveDlg(int zoomStep, int shiftStep, int rotateStep, CWnd* parent, const RECT& canvas,
                               IMovePadOwner* owner) = 0;
    // The adjustment panel for one adjustment, starting at percent.
    virtual INT_PTR RunToolbarEffectsDlg(int percent, CWnd* parent, IToolPanelOwner* owner) = 0;
    // The two-colour chooser; after IDOK the two colours hold the choice.
    virtual INT_PTR RunSetColorDlg(COLORREF& first, COLORREF& second, CWnd* parent) = 0;
    // The save dialog for a picture of the request's size; IDOK with choice filled, or IDCANCEL.
    virtual INT_PTR RunSavePictureDialog(const SavePictureRequest& request, CWnd* parent,
                                         SavePictureChoice& choice) = 0;
};

// The installed dialogs (null: none, and the main window's effects command does nothing). Whoever
// installs them keeps ownership and puts null back before they go.
inline IEffectsDialogs*& EffectsDialogsSlot() {
    static IEffectsDialogs* dialogs = nullptr;
    return dialogs;
}
inline void SetEffectsDialogs(IEffectsDialogs* dialogs) {
    EffectsDialogsSlot() = dialogs;
}
inline IEffectsDialogs* GetEffectsDialogs() {
    return EffectsDialogsSlot();
}
