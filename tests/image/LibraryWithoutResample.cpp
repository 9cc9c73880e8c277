// A library in Rastrum's place that exports only the page curl, for the tests of a missing Resample.
#include "rastrum/RastrumExports.h"

extern "C" __attribute__((visibility("default"))) BITMAPINFOHEADER* PageCurl(BITMAPINFOHEADER*,
                                                                             CurlSettings*) {
    return nullptr;
}
