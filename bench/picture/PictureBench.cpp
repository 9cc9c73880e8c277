// Reads a BMP file through the picture's reader (checked and normalised) and writes it as a plain BMP:
//   picture_bench IN.bmp OUT.bmp
#include "image/PictureInfo.h"

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    CPictureInfo picture;
    if (!picture.ReadBmpFile(argv[1]))
        return 1;
    return picture.SaveFile(argv[2]) ? 0 : 1;
}
