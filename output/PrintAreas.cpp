#include "output/PrintAreas.h"

#include <algorithm>
#include <deque>

namespace {

bool Intersect(const CRect& a, const CRect& b) {
    CRect common;
    return common.IntersectRect(a, b);
}

} // namespace

std::vector<CRect> MergeAreas(std::vector<CRect> areas) {
    std::deque<CRect> working(areas.begin(), areas.end());
    std::vector<CRect> merged;
    while (!working.empty()) {
        CRect head = working.front();
        bool grown = false;
        for (auto it = working.begin() + 1; it != working.end();) {
            if (Intersect(head, *it)) {
                head.UnionRect(head, *it);
                head.NormalizeRect();
                it = working.erase(it);
                grown = true;
            } else {
                ++it;
            }
        }
        working.pop_front();
        if (grown)
            working.push_front(head);
        else
            merged.push_back(head);
    }
    return merged;
}

CRect UnionOfAreas(const std::vector<CRect>& areas, double scale) {
    CRect bounds;
    for (const CRect& area : areas) {
        bounds.UnionRect(bounds, InflateForScale(area, scale));
    }
    return bounds;
}

std::vector<CRect> CollectDibAreas(const std::vector<PrintObjectArea>& objects, CSize dib, CSize page,
                                   bool fit) {
    std::vector<CRect> areas;
    for (const PrintObjectArea& object : objects) {
        CRect area;
        switch (object.kind) {
        case PrintObjectArea::Kind::Text:
            area = object.textExtent;
            break;
        case PrintObjectArea::Kind::Clipart:
            area = MapToDib(1, 1, object.position, dib, page, fit);
            break;
        case PrintObjectArea::Kind::Picture:
            if (object.picture.cx == 0 || object.picture.cy == 0)
                continue;
            area = MapToDib(object.picture.cx, object.picture.cy, object.position, dib, page, fit);
            break;
        }
        area.NormalizeRect();
        area.left = std::max<LONG>(area.left, 0);
        area.top = std::max<LONG>(area.top, 0);
        area.right = std::min<LONG>(area.right, dib.cx);
        area.bottom = std::min<LONG>(area.bottom, dib.cy);
        areas.push_back(area);
    }
    return MergeAreas(std::move(areas));
}

std::vector<CRect> CollectPrinterAreas(const std::vector<PrintObjectArea>& objects,
                                       const PrinterPlacement& placement, CSize page, bool fit) {
    std::vector<CRect> areas;
    for (const PrintObjectArea& object : objects) {
        CSize picture;
        if (object.kind == PrintObjectArea::Kind::Picture) {
            if (object.picture.cx == 0 || object.picture.cy == 0)
                continue;
            picture = object.picture;
        }
        CRect position = object.position;
        position.NormalizeRect();
        if (position.left < 1)
            position.left = 0;
        if (position.top < 1)
            position.top = 0;
        position.right = std::min<LONG>(position.right, page.cx);
        position.bottom = std::min<LONG>(position.bottom, page.cy);
        CRect area =
            MapToPrinter(placement.printer, placement.calibration, placement.mirror, placement.mirrorWidth,
                         placement.scale, picture.cx, picture.cy, position, fit);
        area.NormalizeRect();
        areas.push_back(area);
    }
    return MergeAreas(std::move(areas));
}
