#pragma once
// Small helpers on paths and texts that the album, resource and output code share. They work on the text
// alone and never touch the file system; the one resource loader reads the language resource module.

#include "platform/base/String.h"

class CBitmap;
class CDC;

// Trims trailing white space, then appends a '/' unless the path already ends in '/' or '\'.
void AddTrailingBackslash(CString& path);

// The drive of a Windows path ("C:"), or empty.
CString SplitPathDrive(const char* path);

// The text after the last '.' anywhere in the path, without the dot; empty when there is none.
CString GetFileExtension(const CString& path);
void GetFileExtension(CString& extension, const CString& path);

// The text after the last '/' or '\'; empty when the path holds neither.
CString GetFileNamePart(const CString& path);

// The path of a file that accompanies path, such as a mask or a frame description: the extension of the
// file-name part replaced by extension (".msk"), or extension appended when that part has no dot. Dots
// in folder names never count.
CString MakeCompanionPath(const CString& path, const char* extension);

// Removes "/./" and "/../" steps (and their backslash forms, never mixing the two separators).
CString NormalizePath(const CString& path);

// True when a description holds two blanks in a row or a line feed; it is then stored Base64-encoded.
bool NeedsBase64Encoding(const CString& text);

// Makes bitmap a device bitmap for dc from the bitmap resource name of the application's resource module.
// A picture of 8 bits per pixel or fewer has its colour table realised as a palette in dc while the bitmap
// is made. On success the bitmap's old handle is deleted; a missing or damaged resource, or a failed
// creation, returns false and leaves the bitmap as it was. A null dc makes a bitmap for the screen.
bool LoadResourceBitmapWithPalette(CBitmap& bitmap, const char* name, CDC* dc);
