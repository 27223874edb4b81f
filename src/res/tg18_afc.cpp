// TG18-AFC: a 16 x 16 grid of cells of 128, each with one small square target of slightly
// higher level in one of four positions; the observer names the position in each cell. The
// four quadrants differ in target size and contrast (2 px at +2, 3 px at +3, 4 px at +4, 6 px at
// +6). Key squares in the corners and the centre show every size at every contrast.

#include "res/tg18.h"
#include "res/tg18_layout.h"

#include <array>
#include <string_view>

namespace res {

namespace {

constexpr std::uint8_t kLines = 143; // frame, separators, centre cross, around the key squares
constexpr std::uint8_t kFill = 128;
constexpr int kPitch = 64;
constexpr int kCells = 16;

// Target position per cell, rows top to bottom: 1 top-left, 2 top-right, 3 bottom-left,
// 4 bottom-right; K is a key square or the label. This is the published image's layout, so its
// answer sheets apply.
constexpr std::array<std::string_view, kCells> kTargets{
    "KK34413KK11121KK", "KK133433331142KK", "4434224344143333", "4414424212434212",
    "2324333121331114", "3234241131332211", "1411333213131313", "2244313KK1242434",
    "3243413KK4142142", "4444311343441431", "4233434234343123", "4414123212322221",
    "4114243132434121", "4131431323442112", "KK223413222423KK", "KK114341211131KK",
};

struct Quadrant {
    int size;     // target side in pixels; kept at any layout scale
    int contrast; // levels above the cell
};
// Quadrants: top-left, top-right, bottom-left, bottom-right.
constexpr std::array<Quadrant, 4> kQuadrants{{{2, 2}, {3, 3}, {4, 4}, {6, 6}}};

// Where a target starts, in pixels from the layout's origin, given its cell's origin in 1k
// pixels: near targets start 14 in, far ones end 46 in; at the 2048 layout the positions double
// but not the sizes.
int TargetStart(const Layout& l, int cellOrigin, bool far, int size) {
    if (!far) {
        return l.Len(cellOrigin + 14);
    }
    return l.Len(cellOrigin + 46) + l.s - size;
}

void DrawTarget(const Layout& l, int x, int y, int size, int contrast) {
    l.image.FillBox(x, y, x + size - 1, y + size - 1, static_cast<std::uint8_t>(kFill + contrast));
}

// 112 x 112 of 128 on a 2 x 2-cell area of 143: columns are the four sizes, rows the four
// contrasts.
void DrawKey(const Layout& l, int x0, int y0) {
    constexpr std::array<int, 4> offsets{16, 41, 66, 91};
    l.Box(x0, y0, x0 + 111, y0 + 111, kFill);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            DrawTarget(l, l.X(x0 + offsets[col]), l.Y(y0 + offsets[row]), kQuadrants[col].size,
                       kQuadrants[row].contrast);
        }
    }
}

} // namespace

GrayImage MakeTg18Afc(Tg18Size size) {
    GrayImage image = NewImage(size, kLines);
    const Layout l = LayoutFor(image, size);
    for (int j = 0; j < kCells; ++j) {
        for (int i = 0; i < kCells; ++i) {
            l.Box(kPitch * i + 1, kPitch * j + 1, kPitch * i + 62, kPitch * j + 62, kFill);
        }
    }
    l.Box(507, 0, 515, 1023, kLines);
    l.Box(0, 507, 1023, 515, kLines);
    l.Box(0, 0, 1023, 3, kLines);
    l.Box(0, 1019, 1023, 1023, kLines);
    l.Box(0, 0, 3, 1023, kLines);
    l.Box(1019, 0, 1023, 1023, kLines);

    for (int j = 0; j < kCells; ++j) {
        for (int i = 0; i < kCells; ++i) {
            const char code = kTargets[j][i];
            if (code < '1' || code > '4') {
                continue;
            }
            const Quadrant q = kQuadrants[(j >= kCells / 2 ? 2 : 0) + (i >= kCells / 2 ? 1 : 0)];
            const int position = code - '1';
            const int x = TargetStart(l, kPitch * i + 1, position % 2 == 1, q.size);
            const int y = l.top + TargetStart(l, kPitch * j + 1, position >= 2, q.size);
            DrawTarget(l, x, y, q.size, q.contrast);
        }
    }

    // Key squares over 2 x 2 cells in the corners and the centre.
    l.Box(0, 0, 128, 128, kLines);
    l.Box(895, 0, 1023, 128, kLines);
    l.Box(0, 895, 128, 1023, kLines);
    l.Box(895, 895, 1023, 1023, kLines);
    l.Box(447, 447, 576, 576, kLines);
    for (int x : {8, 904}) {
        for (int y : {8, 904}) {
            DrawKey(l, x, y);
        }
    }
    DrawKey(l, 456, 456);

    l.Box(447, 0, 576, 64, kLines);
    DrawLabel(l, 447, 4, 576, 62,
              {{"TG18-AFC", {2, 1}, 0}, {"synthetic, after", {1, 1}, 5}, {"AAPM OR-03", {1, 1}, 3}},
              0);
    return image;
}

} // namespace res
