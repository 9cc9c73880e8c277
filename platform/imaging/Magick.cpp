#include "platform/imaging/Magick.h"

#include "platform/imaging/DibLayout.h"

#include <mutex>

void StartMagick() {
    static std::once_flag started;
    std::call_once(started, [] {
        CMagickException exception;
        InitializeMagickEx(nullptr, MAGICK_OPT_NO_SIGNAL_HANDER, exception.Get());
        SetMagickResourceLimit(WidthResource, kMaxDibSide);
        SetMagickResourceLimit(HeightResource, kMaxDibSide);
        SetMagickResourceLimit(PixelsResource, kMaxDibPixels);
    });
}
