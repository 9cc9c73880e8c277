#include "albums/ShortenPath.h"

CString ShortenPath(const CString& path, int maxLength) {
    if (path.GetLength() <= maxLength)
        return path;
    const int lastSlash = path.ReverseFind('/');
    if (lastSlash < 0)
        return path;
    CString head = path.Left(lastSlash);
    const int cut = head.ReverseFind('/');
    if (cut < 0)
        return path; // nothing in front of the last folder to leave out
    head = head.Left(cut);
    const CString tail = path.Mid(cut);
    const int room = maxLength - tail.GetLength();

    CString result;
    for (int slash = head.Find('/'); result.GetLength() <= room && slash >= 0; slash = head.Find('/')) {
        result += head.Left(slash + 1);
        head = head.Mid(slash + 1);
    }
    return result + "..." + tail;
}
