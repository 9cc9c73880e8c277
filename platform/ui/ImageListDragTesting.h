#pragma once
// Test hook: what the drag image window shows and where, and its pixels as a grab of the window.

#include <QImage>
#include <QRect>

struct DragImageView {
    bool shown = false;
    QRect area; // on the screen
    QImage pixels;
};

DragImageView DragImageForTesting();
