#include "albums/ImageFileComments.h"

#include "platform/imaging/ImagingComment.h"

#include <vector>

bool ImageFileHasComments(const CString& path) {
    std::vector<char> buffer(kImageFileCommentSize);
    for (const ImageFileCommentRow& row : kImageFileCommentRows)
        if (ReadImagingFileComment(path, row.type, buffer.data(), kImageFileCommentSize) > 0)
            return true;
    return false;
}
