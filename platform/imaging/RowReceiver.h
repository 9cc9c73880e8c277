#pragma once
// A picture handed over one row at a time, top row first, so that a reader that only needs a smaller
// copy (a thumbnail) never holds the whole picture.

#include "platform/base/WinTypes.h"

class CRowReceiver {
public:
    virtual ~CRowReceiver() = default;
    // Before the first row: the picture's size and its bytes a pixel, 1 grey, 2 grey and alpha, 3 blue,
    // green and red, 4 blue, green, red and alpha.
    virtual void Begin(int width, int height, int channels) = 0;
    virtual void Row(const BYTE* pixels) = 0;
};

enum class RowStreaming {
    Done,
    Failed,        // the file cannot be read, is damaged or too large
    NotStreamable, // the file is read whole or not at all; nothing was handed over
};
