// GraphicsMagick is opened on first use, not linked: it pulls in some forty libraries (HEIF, JPEG XL,
// AV1...) whose loading and start-up would otherwise be paid by every module that carries the imaging
// library, at program start, whether or not a picture ever needs it. Each function the program calls is
// defined here with the library's own prototype and passes the call on; the modules keep these
// definitions to themselves (--exclude-libs), so they never stand in for the library's own.

#include "platform/imaging/Magick.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>

namespace {

void* MagickFunction(const char* name) {
    static void* library = nullptr;
    static std::once_flag opened;
    std::call_once(opened,
                   [] { library = dlopen(VC_MAGICK_LIBRARY, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE); });
    void* function = library ? dlsym(library, name) : nullptr;
    if (!function) {
        // The library is a dependency of the installed program; without it nothing can go on.
        std::fprintf(stderr, "%s: %s\n", VC_MAGICK_LIBRARY, dlerror());
        std::abort();
    }
    return function;
}

} // namespace

// Looks the function up once and calls it with the same arguments.
#define VC_MAGICK_FORWARD(result, name, parameters, arguments)                                               \
    extern "C" result name parameters {                                                                      \
        static const auto function = reinterpret_cast<decltype(&name)>(MagickFunction(#name));               \
        return function arguments;                                                                           \
    }

VC_MAGICK_FORWARD(MagickPassFail, InitializeMagickEx,
                  (const char* path, unsigned int options, ExceptionInfo* exception),
                  (path, options, exception))
VC_MAGICK_FORWARD(MagickPassFail, SetMagickResourceLimit,
                  (const ResourceType type, const magick_int64_t limit), (type, limit))
VC_MAGICK_FORWARD(void, GetExceptionInfo, (ExceptionInfo * exception), (exception))
VC_MAGICK_FORWARD(void, DestroyExceptionInfo, (ExceptionInfo * exception), (exception))
VC_MAGICK_FORWARD(ImageInfo*, CloneImageInfo, (const ImageInfo* info), (info))
VC_MAGICK_FORWARD(void, DestroyImageInfo, (ImageInfo * info), (info))
VC_MAGICK_FORWARD(Image*, AllocateImage, (const ImageInfo* info), (info))
VC_MAGICK_FORWARD(void, DestroyImageList, (Image * images), (images))
VC_MAGICK_FORWARD(Image*, BlobToImage,
                  (const ImageInfo* info, const void* blob, const size_t length, ExceptionInfo* exception),
                  (info, blob, length, exception))
VC_MAGICK_FORWARD(MagickPassFail, DispatchImage,
                  (const Image* image, const long x, const long y, const unsigned long columns,
                   const unsigned long rows, const char* map, const StorageType type, void* pixels,
                   ExceptionInfo* exception),
                  (image, x, y, columns, rows, map, type, pixels, exception))
VC_MAGICK_FORWARD(const PixelPacket*, AcquireImagePixels,
                  (const Image* image, const long x, const long y, const unsigned long columns,
                   const unsigned long rows, ExceptionInfo* exception),
                  (image, x, y, columns, rows, exception))
VC_MAGICK_FORWARD(PixelPacket*, SetImagePixels,
                  (Image * image, const long x, const long y, const unsigned long columns,
                   const unsigned long rows),
                  (image, x, y, columns, rows))
VC_MAGICK_FORWARD(MagickPassFail, SyncImagePixels, (Image * image), (image))
VC_MAGICK_FORWARD(MagickPassFail, SetImageVirtualPixelMethod,
                  (const Image* image, const VirtualPixelMethod method), (image, method))
VC_MAGICK_FORWARD(Image*, EdgeImage, (const Image* image, const double radius, ExceptionInfo* exception),
                  (image, radius, exception))
VC_MAGICK_FORWARD(Image*, EmbossImage,
                  (const Image* image, const double radius, const double sigma, ExceptionInfo* exception),
                  (image, radius, sigma, exception))
VC_MAGICK_FORWARD(Image*, OilPaintImage, (const Image* image, const double radius, ExceptionInfo* exception),
                  (image, radius, exception))
VC_MAGICK_FORWARD(Image*, SwirlImage, (const Image* image, double degrees, ExceptionInfo* exception),
                  (image, degrees, exception))
VC_MAGICK_FORWARD(Image*, WaveImage,
                  (const Image* image, const double amplitude, const double wavelength,
                   ExceptionInfo* exception),
                  (image, amplitude, wavelength, exception))
