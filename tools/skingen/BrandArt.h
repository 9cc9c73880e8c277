#pragma once
// The program's own pictures: its icon, the splash picture shown while it starts, and the picture of
// the about box.

#include <QImage>
#include <QString>

namespace SkinGen {

QImage ProgramIcon(int side);

inline constexpr int kSplashWidth = 640;
inline constexpr int kSplashHeight = 400;
QImage SplashPicture(const QString& version);

// The about box takes its size from this picture; the program writes its about text in white at the
// top right, so that corner stays dark.
inline constexpr int kAboutWidth = 550;
inline constexpr int kAboutHeight = 579;
QImage AboutPicture(const QString& version);

} // namespace SkinGen
