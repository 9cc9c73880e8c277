#pragma once
// The file browser's pattern test: a file passes the pattern of the chosen filter entry when its
// extension occurs anywhere in the pattern text (so ".jp" passes "*.jpg;*.jpeg", as it always has).

#include "platform/base/Arrays.h"
#include "platform/base/String.h"

// patterns holds one lower-case pattern per filter entry; filterIndex is the chosen entry, -1 before
// there is one. No chosen entry, an entry without pattern (an empty one, or one past the array: a
// last description may come without) and "*.*" in any case pass every file. The extension is the
// path from its last '.' on, lower-cased; the whole path when it has no dot.
bool MatchesFilterPattern(const CStringArray& patterns, int filterIndex, const CString& path);
