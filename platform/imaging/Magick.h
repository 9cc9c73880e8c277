#pragma once
// The one way into GraphicsMagick: its start-up and owners of its objects.

#include <cstdio>
#include <ctime>
#include <magick/api.h>
#include <memory>
#include <sys/types.h>

// Starts the library once per module, from whichever thread comes first, without signal handlers of
// its own (they would replace the program's). It refuses pictures larger than a DIB may be itself,
// before it allocates their pixels. A second start in another module is a no-op in the library.
void StartMagick();

struct MagickImageFree {
    void operator()(Image* image) const { DestroyImageList(image); }
};
// A picture, or the first of a list, with the rest of the list.
using MagickImagePtr = std::unique_ptr<Image, MagickImageFree>;

struct MagickImageInfoFree {
    void operator()(ImageInfo* info) const { DestroyImageInfo(info); }
};
using MagickImageInfoPtr = std::unique_ptr<ImageInfo, MagickImageInfoFree>;

// What a library call reports, released at the end of the scope.
class CMagickException {
public:
    CMagickException() { GetExceptionInfo(&m_info); }
    ~CMagickException() { DestroyExceptionInfo(&m_info); }
    CMagickException(const CMagickException&) = delete;
    CMagickException& operator=(const CMagickException&) = delete;

    ExceptionInfo* Get() { return &m_info; }
    // Warnings (a damaged but readable file) pass; errors fail.
    bool Failed() const { return m_info.severity >= ErrorException; }

private:
    ExceptionInfo m_info;
};
