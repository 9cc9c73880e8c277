#include "output/PrinterSection.h"

#include "platform/base/Path.h"
#include "platform/base/Profile.h"

CString PrinterSection(const CString& printerName) {
    // Escaped, so that the '/' of a network printer's name stays inside the one key.
    return EscapeProfileKeyPart(BackslashesToSlashes(printerName));
}
