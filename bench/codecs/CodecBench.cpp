// Pictures through the codec plug-ins of a program folder, as the program reads them.
//   codec_bench <program folder> thumbnails <width> <height> <file>...
//     thumbnails of every file, one after another, as the file browser makes them (force-size, resample)
//   codec_bench <program folder> load <file>
//     one full decode at the file's own depth
//   codec_bench <program folder> timed-load <file>
//     the same, printing seconds=<time of the LoadFile call alone>, without loading the plug-ins
// Exits non-zero when a picture does not come back.

#include "image/ExtMgr.h"
#include "image/PictureInfo.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: codec_bench <program folder> thumbnails <w> <h> <file>... | load <file>\n");
        return 2;
    }
    CExtMgr manager(argv[1]);
    manager.LoadPlugins();
    if (std::strcmp(argv[2], "load") == 0 || std::strcmp(argv[2], "timed-load") == 0) {
        CPictureInfo* mask = nullptr;
        const auto start = std::chrono::steady_clock::now();
        const std::unique_ptr<CPictureInfo> picture(manager.LoadFile(argv[3], mask, 0));
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        delete mask;
        if (std::strcmp(argv[2], "timed-load") == 0)
            std::printf("seconds=%.6f\n", seconds.count());
        return picture ? 0 : 1;
    }
    if (std::strcmp(argv[2], "thumbnails") != 0 || argc < 6)
        return 2;
    const CSize size(std::atoi(argv[3]), std::atoi(argv[4]));
    for (int i = 5; i < argc; ++i) {
        const std::unique_ptr<CPictureInfo> thumbnail(
            manager.CreateThumbnailForFile(argv[i], size, 0xFF00FF, 1, 1));
        if (!thumbnail)
            return 1;
    }
    return 0;
}
