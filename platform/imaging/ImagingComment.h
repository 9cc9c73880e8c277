#pragma once
// Text comments and tags stored inside picture files: Exif entries of JPEG files and the text tags of
// TIFF files. Other formats carry none here.

#include "platform/base/String.h"

// Comment types of ReadImagingFileComment.
inline constexpr int kCommentDescription = 3;
inline constexpr int kCommentMake = 5;
inline constexpr int kCommentModel = 6;
inline constexpr int kCommentDateTaken = 21;
inline constexpr int kCommentArtist = 22;
inline constexpr int kCommentExposureTime = 24;
inline constexpr int kCommentFlash = 32; // one byte: 1 when the flash fired, else 0
inline constexpr int kCommentFocalLength = 33;
inline constexpr int kCommentUserComment = 167;
inline constexpr int kCommentCopyright = 168;

// Reads the comment of a type into buffer, ended by a zero byte, and returns its length in bytes; 0 when
// the file has no such comment, cannot be read, or size is below 2. A longer comment is cut to size - 1
// bytes, never inside a UTF-8 character.
int ReadImagingFileComment(const CString& path, int type, char* buffer, int size);
