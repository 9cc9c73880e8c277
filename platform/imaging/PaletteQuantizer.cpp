#include "platform/imaging/PaletteQuantizer.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// The histogram counts colours at 5 bits a channel: 32768 cells keep it in the cache, and the mean of
// each box is taken over the exact colours, so the palette loses nothing to the cell size.
constexpr int kCellBits = 5;
constexpr int kCellsPerSide = 1 << kCellBits;
constexpr int kCells = kCellsPerSide * kCellsPerSide * kCellsPerSide;

struct Cell {
    std::uint64_t count = 0;
    std::uint64_t sum[3] = {}; // blue, green, red
};

int CellIndex(int blue, int green, int red) {
    return (red >> (8 - kCellBits)) << (2 * kCellBits) | (green >> (8 - kCellBits)) << kCellBits |
           blue >> (8 - kCellBits);
}

// A box of cells: inclusive bounds per channel (blue, green, red) and its pixel count.
struct Box {
    int low[3];
    int high[3];
    std::uint64_t count = 0;
};

template <typename Visit>
void ForEachCell(const Box& box, Visit visit) {
    for (int r = box.low[2]; r <= box.high[2]; ++r)
        for (int g = box.low[1]; g <= box.high[1]; ++g)
            for (int b = box.low[0]; b <= box.high[0]; ++b)
                visit(r << (2 * kCellBits) | g << kCellBits | b, b, g, r);
}

// Shrinks a box to the cells that hold pixels and counts them.
void Shrink(Box& box, const std::vector<Cell>& cells) {
    int low[3] = {kCellsPerSide, kCellsPerSide, kCellsPerSide}, high[3] = {-1, -1, -1};
    std::uint64_t count = 0;
    ForEachCell(box, [&](int index, int b, int g, int r) {
        if (cells[std::size_t(index)].count == 0)
            return;
        count += cells[std::size_t(index)].count;
        const int at[3] = {b, g, r};
        for (int c = 0; c < 3; ++c)
            low[c] = std::min(low[c], at[c]), high[c] = std::max(high[c], at[c]);
    });
    box.count = count;
    if (count != 0)
        for (int c = 0; c < 3; ++c)
            box.low[c] = low[c], box.high[c] = high[c];
}

int LongestSide(const Box& box) {
    // Green counts most to the eye, blue least, as in the nearest-colour distance.
    static constexpr int kWeight[3] = {2, 4, 3};
    int best = 0;
    for (int c = 1; c < 3; ++c)
        if ((box.high[c] - box.low[c]) * kWeight[c] > (box.high[best] - box.low[best]) * kWeight[best])
            best = c;
    return best;
}

// Cuts a box at the median of its longest side; false when it holds a single cell.
bool Cut(Box& box, Box& other, const std::vector<Cell>& cells) {
    const int side = LongestSide(box);
    if (box.high[side] == box.low[side])
        return false;
    std::array<std::uint64_t, kCellsPerSide> perSlice{};
    ForEachCell(box, [&](int index, int b, int g, int r) {
        const int at[3] = {b, g, r};
        perSlice[std::size_t(at[side])] += cells[std::size_t(index)].count;
    });
    std::uint64_t below = 0;
    int split = box.low[side];
    for (; split < box.high[side] - 1; ++split) {
        below += perSlice[std::size_t(split)];
        if (2 * below >= box.count)
            break;
    }
    other = box;
    box.high[side] = split;
    other.low[side] = split + 1;
    Shrink(box, cells);
    Shrink(other, cells);
    return true;
}

RGBQUAD MeanColour(const Box& box, const std::vector<Cell>& cells) {
    std::uint64_t sum[3] = {};
    ForEachCell(box, [&](int index, int, int, int) {
        for (int c = 0; c < 3; ++c)
            sum[c] += cells[std::size_t(index)].sum[c];
    });
    auto mean = [&](int c) { return BYTE((sum[c] + box.count / 2) / box.count); };
    return RGBQUAD{mean(0), mean(1), mean(2), 0};
}

} // namespace

std::vector<RGBQUAD> MedianCutPalette(const BytePixels& bgr, int colours) {
    std::vector<Cell> cells(kCells);
    for (int y = 0; y < bgr.height; ++y) {
        const BYTE* p = bgr.Row(y);
        for (int x = 0; x < bgr.width; ++x, p += 3) {
            Cell& cell = cells[std::size_t(CellIndex(p[0], p[1], p[2]))];
            ++cell.count;
            cell.sum[0] += p[0], cell.sum[1] += p[1], cell.sum[2] += p[2];
        }
    }

    std::vector<Box> boxes(1, Box{{0, 0, 0}, {kCellsPerSide - 1, kCellsPerSide - 1, kCellsPerSide - 1}});
    Shrink(boxes[0], cells);
    if (boxes[0].count == 0)
        return {};
    std::vector<bool> uncuttable(1, false);
    while (int(boxes.size()) < colours) {
        std::size_t chosen = boxes.size();
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (!uncuttable[i] && (chosen == boxes.size() || boxes[i].count > boxes[chosen].count))
                chosen = i;
        if (chosen == boxes.size())
            break;
        Box other{};
        if (!Cut(boxes[chosen], other, cells)) {
            uncuttable[chosen] = true;
            continue;
        }
        boxes.push_back(other);
        uncuttable.push_back(false);
    }

    std::vector<RGBQUAD> palette;
    for (const Box& box : boxes)
        palette.push_back(MeanColour(box, cells));
    return palette;
}
