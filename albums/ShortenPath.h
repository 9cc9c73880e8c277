#pragma once
// A long path cut in the middle for a label: "C:/Eigene Dateien/.../2001/bild.jpg".

#include "platform/base/String.h"

// The path itself when it has at most maxLength bytes or fewer than two '/'. Otherwise its leading
// folders while they fit beside the last folder and the file name (the last one taken may overshoot),
// then "..." and that last folder with the file name.
CString ShortenPath(const CString& path, int maxLength);
