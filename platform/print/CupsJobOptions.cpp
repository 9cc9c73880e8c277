#include "platform/print/CupsJobOptions.h"

#include "platform/print/DevMode.h"

std::vector<CupsJobOption> CupsJobOptions(SHORT color, SHORT duplex) {
    std::vector<CupsJobOption> options;
    if (color == DMCOLOR_MONOCHROME || color == DMCOLOR_COLOR)
        options.emplace_back("print-color-mode", color == DMCOLOR_MONOCHROME ? "monochrome" : "color");
    switch (duplex) {
    case DMDUP_SIMPLEX:
        options.emplace_back("sides", "one-sided");
        break;
    case DMDUP_VERTICAL:
        options.emplace_back("sides", "two-sided-long-edge");
        break;
    case DMDUP_HORIZONTAL:
        options.emplace_back("sides", "two-sided-short-edge");
        break;
    default:
        break;
    }
    return options;
}
