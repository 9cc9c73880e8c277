#pragma once
// Texts written into exported HTML pages.

#include "platform/base/String.h"

// A file name as a URL path segment: every UTF-8 byte other than letters, digits and "-._~" as %XX. The
// result holds no character that an attribute value would have to escape.
CString PercentEncoded(const CString& name);
// The part of a path after its last '/' (or the whole path).
CString FileNameOf(const CString& path);
// The path up to the last '.' of its file name, or the whole path when the name has none.
CString PathWithoutExtension(const CString& path);
