#pragma once
// The variable-length LZW decoder of GIF89a (appendix F) and the rows it fills.

#include "image/GifByteSource.h"

class CImageImpl;

// The picture's rows from the top, in file order: one after the other, or in the four interlace passes
// (GIF89a appendix E): every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
class CGifRowCursor {
public:
    CGifRowCursor(CImageImpl& image, bool interlaced);

    // The current row's first byte; null once every row has been filled.
    BYTE* Row() const;
    int Width() const;
    void NextRow();

private:
    CImageImpl& m_image;
    bool m_interlaced;
    int m_row = 0; // counted from the top
    int m_pass = 0;
    int m_step;
};

// How decoding ended.
enum class GifDecodeEnd {
    EndCode,        // the data's end code
    DataEnded,      // the file or the data sub-blocks ended first; the rows so far stay
    RowsFull,       // more pixels than the picture has
    NoTables = -10, // no memory for the code tables
    CodeSize = -20, // minimum code size below 2 or above 9
};

struct GifDecodeResult {
    GifDecodeEnd end = GifDecodeEnd::EndCode;
    // Codes above the next free code, decoded as if they were the next free code.
    int badCodes = 0;
};

// Decodes one image's data (minimum code size, then sub-blocks) into the rows, a row's width of pixels each.
GifDecodeResult DecodeGifData(CGifByteSource& source, CGifRowCursor& rows);
