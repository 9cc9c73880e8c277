#pragma once
// The description of a skinned window: its background bitmap and its buttons, each with the bitmaps
// of its states, its place on the background and its two polygons. One description per window drives
// the drawing, the bitmap files, the generated point tables and the composite pictures alike.

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QSize>
#include <functional>
#include <string>
#include <vector>

namespace SkinGen {

using Outline = std::vector<QPoint>;

// What one state bitmap of a control shows.
struct Face {
    bool pressed = false;
    bool hover = false;
    bool checked = false;
    bool disabled = false;
    int position = 0; // the knob's position, 1 to 9
};

struct ButtonState {
    std::string bitmapName;
    Face face;
};

using FacePainter = std::function<void(QPainter&, const Face&)>;

struct SkinButton {
    std::string tableName; // stem of the generated tables, e.g. "MainPrint" for kMainPrintShape
    std::vector<ButtonState> states;
    QPoint position; // top-left corner in the window
    QSize bitmapSize;
    Outline shape;                      // window region, button client coordinates
    Outline hit;                        // where presses count; empty when the control has no hit region
    std::vector<Outline> holes;         // parts cut out of the shape by the owner (the knob's hole)
    std::vector<QPoint> otherPositions; // further controls that show the same bitmaps
    FacePainter paint;                  // draws one state over the background piece under the button
    std::string shapeSuffix = "Shape";
    std::string comment; // a line above the tables in the generated header, when needed
};

struct NamedOutline {
    std::string tableName;
    Outline points;
    const char* comment;
};

// A bitmap of the window that is no button state (the combo boxes' arrow strip).
struct SkinBitmap {
    std::string name;
    QSize size;
    QPoint probe;
    std::function<void(QPainter&)> paint;
};

struct SkinWindow {
    std::string name;       // for comments
    std::string bitmapName; // the background bitmap
    QSize size;
    QPoint probe; // a background point no control covers
    std::function<void(QPainter&)> paintBackground;
    std::vector<SkinButton> buttons;
    std::vector<SkinBitmap> bitmaps;
    std::vector<NamedOutline> outlines; // further tables of the window (panel outline, knob outline)
    Outline windowRegion;               // the window's own shape; empty for a rectangular window
};

// A button whose bitmaps just cover its shape and hit area.
SkinButton MakeButton(std::string table, std::vector<ButtonState> states, QPoint position, Outline shape,
                      Outline hit, FacePainter paint);

std::vector<ButtonState> PushStates(const std::string& base);      // U, D, F
std::vector<ButtonState> PushStatesWithX(const std::string& base); // U, D, F, X
std::vector<ButtonState> RadioStates(const std::string& base);     // UU, UF, DU, DF
std::vector<ButtonState> CheckStates(const std::string& base);     // U, D, UF, DF

SkinWindow MainWindowSkin();
SkinWindow CategoryPanelSkin();
SkinWindow SettingsDialogSkin();
SkinWindow AlbumDialogSkin();
SkinWindow EffectsDialogSkin();
SkinWindow MovePadSkin();
SkinWindow ToolPanelSkin();
SkinWindow InternetPanelSkin();

// The OK disc "EINSTELLUNGEN_OK" (16 by 17, its outline of 30 points) that the settings dialog draws
// and the move pad and the adjustment panel show too.
Outline SmallOkOutline();
SkinButton SmallOkButton(std::string table, QPoint position);

} // namespace SkinGen
