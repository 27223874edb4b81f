// TG18-QC: a mid-gray field with a light grid and border; in the centre a framed 6 x 6 block whose
// outer ring is a 16-step gray scale with low-contrast corner squares and whose inner ring holds
// the Cx blur-reference cells around a resolution block; the transition bar and the 5 % / 95 %
// band at the top; ramps left and right; the low-contrast QUALITY CONTROL boxes at the bottom;
// resolution blocks in the four corners.

#include "res/cx_glyph.h"
#include "res/resolution_block.h"
#include "res/tg18.h"
#include "res/tg18_layout.h"
#include "res/transition_bar.h"

#include <array>
#include <cmath>
#include <string_view>

namespace res {

namespace {

constexpr std::uint8_t kBackground = 128;
constexpr std::uint8_t kLight = 191; // grid, border, block frame and separators
constexpr std::uint8_t kLow5 = 13;   // 5 % of full scale
constexpr std::uint8_t kHigh95 = 242;

// Grid lines at 104 + 102 k; the 6 x 6 block's cells lie between them.
constexpr int kGridFirst = 104;
constexpr int kGridStep = 102;
constexpr int kGridLines = 9;
constexpr int kBlockFirst = 206; // the block's first cell starts on this grid line
constexpr int kCells = 6;

int CellStart(int c) {
    return kBlockFirst + kGridStep * c;
}
int CellEnd(int c) {
    return CellStart(c) + kGridStep - 1;
}

// Patch i of the gray scale has the 12-bit level 128 + 256 i.
std::uint8_t PatchLevel(int i) {
    return static_cast<std::uint8_t>(std::lround((128 + 256 * i) * 255.0 / 4095.0));
}

struct CellPos {
    int col, row;
};

// The ring of the 6 x 6 block: left column bottom to top, top row left to right, right column
// top to bottom, corners shared.
std::array<CellPos, 16> PatchCells() {
    std::array<CellPos, 16> cells{};
    int i = 0;
    for (int row = kCells - 1; row >= 0; --row) {
        cells[i++] = {0, row};
    }
    for (int col = 1; col < kCells; ++col) {
        cells[i++] = {col, 0};
    }
    for (int row = 1; row < kCells; ++row) {
        cells[i++] = {kCells - 1, row};
    }
    return cells;
}

void DrawPatch(const Layout& l, CellPos p, std::uint8_t level) {
    const int x0 = CellStart(p.col);
    const int y0 = CellStart(p.row);
    const int x1 = CellEnd(p.col);
    const int y1 = CellEnd(p.row);
    const auto up = static_cast<std::uint8_t>(level + 4);
    const auto down = static_cast<std::uint8_t>(level - 4);
    constexpr int k = 10;
    l.Box(x0, y0, x1, y1, level);
    l.Box(x0, y0, x0 + k - 1, y0 + k - 1, up);
    l.Box(x1 - k + 1, y1 - k + 1, x1, y1, up);
    l.Box(x1 - k + 1, y0, x1, y0 + k - 1, down);
    l.Box(x0, y1 - k + 1, x0 + k - 1, y1, down);
}

// Cx reference cells of the inner ring, by cell (column, row) of the 6 x 6 block.
struct CxCell {
    CellPos cell;
    int score;
};
constexpr std::array<CxCell, 12> kCxCells{{
    {{1, 3}, 0},
    {{1, 2}, 1},
    {{1, 1}, 2},
    {{2, 1}, 3},
    {{3, 1}, 4},
    {{4, 1}, 5},
    {{4, 2}, 6},
    {{4, 3}, 7},
    {{4, 4}, 8},
    {{3, 4}, 9},
    {{2, 4}, -2},
    {{1, 4}, -1},
}};

void DrawLuminanceBlock(const Layout& l) {
    const std::array<CellPos, 16> ring = PatchCells();
    for (int i = 0; i < 16; ++i) {
        DrawPatch(l, ring[i], PatchLevel(i));
    }
    // The centre: mid-gray under the central resolution block.
    l.Box(CellStart(1), CellStart(1), CellEnd(4), CellEnd(4), kBackground);
    // Bottom row: black with a 5 % square, the label cell, white with a 95 % square.
    const int bottom = kCells - 1;
    l.Box(CellStart(1), CellStart(bottom), CellEnd(1), CellEnd(bottom), 0);
    l.Box(334, 742, 384, 792, kLow5);
    l.Box(CellStart(2), CellStart(bottom), CellEnd(3), CellEnd(bottom), kBackground);
    l.Box(CellStart(4), CellStart(bottom), CellEnd(4), CellEnd(bottom), 255);
    l.Box(640, 742, 690, 792, kHigh95);
    // Separators on the grid lines inside the block, but not through the label.
    for (int k = 1; k < kCells; ++k) {
        const int g = CellStart(k);
        l.Box(g, CellStart(0), g, CellEnd(bottom - 1), kLight);
        l.Box(CellStart(0), g, CellEnd(bottom), g, kLight);
    }
    for (int k : {1, 2, 4, 5}) {
        l.Box(CellStart(k), CellStart(bottom), CellStart(k), CellEnd(bottom), kLight);
    }
    l.Outline(205, 205, 819, 819, 3, kLight);
    for (const CxCell& c : kCxCells) {
        DrawCxReferenceCell(l.image, l.X(CellStart(c.cell.col) + 1), l.Y(CellStart(c.cell.row) + 1),
                            l.s, c.score);
    }
    DrawLabel(l, CellStart(2) + 1, CellStart(bottom) + 1, CellEnd(3), CellEnd(bottom),
              {{"TG18-QC", {2, 1}, 0}, {"synthetic, after", {1, 1}, 8}, {"AAPM OR-03", {1, 1}, 4}},
              0);
}

void DrawResolutionBlocks(const Layout& l) {
    const GrayImage block =
        MakeResolutionBlock(l.s == 1 ? SquareResolutionBlock() : DoubledResolutionBlock());
    const GrayImage leftRight = block.MirroredLeftRight();
    l.image.Paste(block, l.X(12), l.Y(12));
    l.image.Paste(leftRight, l.X(824), l.Y(12));
    l.image.Paste(block.MirroredTopBottom(), l.X(12), l.Y(870));
    l.image.Paste(leftRight.MirroredTopBottom(), l.X(824), l.Y(870));
}

// The centre copy sits on the luminance block, so it is drawn after it.
void DrawCentreResolutionBlock(const Layout& l) {
    l.image.Paste(
        MakeResolutionBlock(l.s == 1 ? SquareResolutionBlock() : DoubledResolutionBlock()),
        l.X(418), l.Y(441));
}

void DrawTransitionBand(const Layout& l) {
    l.Box(105, 155, 919, 163, kHigh95);
    l.Box(105, 164, 308, 179, kHigh95);
    l.Box(309, 164, 715, 179, kLow5);
    l.Box(716, 164, 919, 179, kHigh95);
    l.Box(105, 180, 308, 195, kLow5);
    l.Box(309, 180, 715, 195, kHigh95);
    l.Box(716, 180, 919, 195, kLow5);
    l.Box(105, 196, 919, 204, kLow5);
}

// Two 64 x 512 ramps through all 256 levels, two rows per level: the left one white at the top,
// the right one black at the top.
void DrawRamps(const Layout& l) {
    for (int i = 0; i < 256; ++i) {
        const int y = 256 + 2 * i;
        l.Box(26, y, 89, y + 1, static_cast<std::uint8_t>(255 - i));
        l.Box(935, y, 998, y + 1, static_cast<std::uint8_t>(i));
    }
}

// Three boxes (black, gray, white) with QUALITY CONTROL in letters 14 down to 1 levels away from
// the box: brighter on the black and gray boxes, darker on the white one.
void DrawQualityControl(const Layout& l) {
    constexpr std::array<std::uint8_t, 3> boxes{0, 128, 255};
    constexpr std::array<int, 3> lefts{207, 411, 615};
    constexpr int width = 203;
    const TextStyle style{3 * l.s, l.s};
    for (int b = 0; b < 3; ++b) {
        l.Box(lefts[b], 820, lefts[b] + width - 1, 919, boxes[b]);
        int delta = 14;
        int top = 839;
        for (std::string_view word : {std::string_view("QUALITY"), std::string_view("CONTROL")}) {
            int x = l.X(lefts[b]) + (l.Len(width) - TextWidth(word, style)) / 2;
            for (char c : word) {
                const int v = boxes[b] == 255 ? 255 - delta : boxes[b] + delta;
                DrawText(l.image, x, l.Y(top), std::string_view(&c, 1), style,
                         static_cast<std::uint8_t>(v));
                x += Advance(style);
                --delta;
            }
            top = 877;
        }
    }
}

} // namespace

GrayImage MakeTg18Qc(Tg18Size size) {
    GrayImage image = NewImage(size, kBackground);
    const Layout l = LayoutFor(image, size);
    for (int k = 0; k < kGridLines; ++k) {
        const int g = kGridFirst + kGridStep * k;
        l.Box(g, 0, g, kSquareSide - 1, kLight);
        l.Box(0, g, kSquareSide - 1, g, kLight);
    }
    l.Outline(9, 9, 1014, 1014, 3, kLight);
    DrawResolutionBlocks(l);
    DrawTransitionBar(image, l.X(224), l.Y(15),
                      TransitionBarGeometry{576 * l.s, 43 * l.s, l.s, 7 * l.s});
    DrawTransitionBand(l);
    DrawRamps(l);
    DrawLuminanceBlock(l);
    DrawCentreResolutionBlock(l);
    DrawQualityControl(l);
    return image;
}

} // namespace res
