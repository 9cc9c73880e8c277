#pragma once
// The colours of the skin: warm sage greys for the chrome, one teal accent for what is active or
// under the pointer, a deep slate for the album pages. The pale field colour is the combo boxes' own.

#include <QColor>

namespace SkinGen::Palette {

inline const QColor kChromeTop{0xE9, 0xEB, 0xE2};
inline const QColor kChromeBottom{0xCB, 0xCF, 0xC0};
inline const QColor kConsoleTop{0xF4, 0xF5, 0xEF};
inline const QColor kConsoleBottom{0xDE, 0xE1, 0xD4};
inline const QColor kEdgeLight{0xFF, 0xFF, 0xFB};
inline const QColor kEdgeDark{0x9A, 0xA0, 0x8D};
inline const QColor kSeparator{0xB3, 0xB8, 0xA6};
inline const QColor kWell{0xC4, 0xC9, 0xB8};
inline const QColor kWellDeep{0xA9, 0xAF, 0x9C};

inline const QColor kFaceTop{0xFD, 0xFD, 0xFA};
inline const QColor kFaceBottom{0xDC, 0xE0, 0xD2};
inline const QColor kFacePressedTop{0xC3, 0xC9, 0xB6};
inline const QColor kFacePressedBottom{0xDD, 0xE1, 0xD3};
inline const QColor kFaceBorder{0x8E, 0x95, 0x80};

inline const QColor kInk{0x33, 0x3B, 0x34};
inline const QColor kInkSoft{0x5E, 0x66, 0x5C};
inline const QColor kInkMuted{0xA3, 0xA8, 0x9C};
inline const QColor kCaption{0x72, 0x7A, 0x6D};

inline const QColor kAccent{0x2E, 0x7D, 0x6E};
inline const QColor kAccentLight{0x7F, 0xC1, 0xB1};
inline const QColor kAccentPale{0xD3, 0xEA, 0xE2};
inline const QColor kAccentDark{0x1C, 0x57, 0x4C};
inline const QColor kWarm{0xE0, 0x9A, 0x3E};

inline const QColor kPaleField{239, 241, 211};

inline const QColor kSlateTop{0x3A, 0x45, 0x3F};
inline const QColor kSlateBottom{0x25, 0x2D, 0x29};
inline const QColor kSlateWell{0x2C, 0x35, 0x30};
inline const QColor kSlateLine{0x55, 0x61, 0x5A};
inline const QColor kSlateText{0xE8, 0xEC, 0xE4};

} // namespace SkinGen::Palette
