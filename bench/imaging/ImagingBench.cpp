// The imaging library's file side, timed by bench/imaging.py against vipsthumbnail, gm and djpeg:
//   imaging_bench thumbnails FILE...  160x120 thumbnails, force-size and resample on, one after another
//   imaging_bench decode FILE         a full decode at the file's own depth
//   imaging_bench threads FILE...     thumbnails on one thread, then on two at once; prints same=1 when
//                                     both give the same pixels
#include "platform/imaging/ImagingFile.h"

#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

const ThumbnailOptions kBrowserThumbnail = {160, 120, true, 0xFF00FF, true};

std::vector<std::vector<BYTE>> Thumbnails(char** paths, int count) {
    std::vector<std::vector<BYTE>> pixels;
    for (int i = 0; i < count; ++i) {
        CImagingBitmap thumbnail;
        if (!CreateImagingThumbnail(paths[i], kBrowserThumbnail, thumbnail))
            return {};
        pixels.push_back(thumbnail.GetDib());
    }
    return pixels;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    if (std::strcmp(argv[1], "thumbnails") == 0)
        return Thumbnails(argv + 2, argc - 2).empty() ? 1 : 0;
    if (std::strcmp(argv[1], "decode") == 0) {
        CImagingBitmap bitmap;
        return LoadImagingFile(argv[2], 0, bitmap) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "threads") == 0) {
        const auto alone = Thumbnails(argv + 2, argc - 2);
        std::vector<std::vector<BYTE>> first, second;
        std::thread a([&] { first = Thumbnails(argv + 2, argc - 2); });
        std::thread b([&] { second = Thumbnails(argv + 2, argc - 2); });
        a.join();
        b.join();
        std::printf("same=%d\n", !alone.empty() && alone == first && alone == second ? 1 : 0);
        return 0;
    }
    return 2;
}
