#pragma once
// The comments of a picture file that the information dialogs show, in their order, with the string id
// of each row's name.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/imaging/ImagingComment.h"

struct ImageFileCommentRow {
    int type; // a comment type of ReadImagingFileComment
    UINT label;
};

inline constexpr ImageFileCommentRow kImageFileCommentRows[] = {
    {kCommentArtist, 65523},    {kCommentDescription, 65524}, {kCommentMake, 65525},
    {kCommentModel, 65526},     {kCommentDateTaken, 65527},   {kCommentExposureTime, 65528},
    {kCommentFlash, 65529},     {kCommentFocalLength, 65530}, {kCommentUserComment, 65531},
    {kCommentCopyright, 65532},
};

// Room for one comment, its ending zero byte included.
inline constexpr int kImageFileCommentSize = 1024;

// Whether the file carries any comment of the rows.
bool ImageFileHasComments(const CString& path);
