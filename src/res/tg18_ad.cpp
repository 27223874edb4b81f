// TG18-AD: a 7 x 7 grid of cells of horizontal line pairs on black, at the 49 lowest levels of
// the 12-bit scale in steps of 4, for judging at which level low-contrast detail becomes visible
// under the room's ambient light.

#include "res/tg18.h"
#include "res/tg18_layout.h"

#include <string>

namespace res {

namespace {

constexpr std::uint8_t kLabels = 12; // grid lines and the row and column numbers
constexpr std::uint8_t kTitle = 128;
constexpr int kGridFirst = 302;
constexpr int kGridLast = 721;
constexpr int kCellPitch = 60;
constexpr int kCellSide = 58;
constexpr int kCells = 7;

// Cell n = 7 row + column has the 12-bit level 4 n; to 8 bits that is n / 4, rounded.
std::uint8_t CellLevel(int n) {
    return static_cast<std::uint8_t>((n + 2) / 4);
}

int CellStart(int c) {
    return kGridFirst + 1 + kCellPitch * c;
}

} // namespace

GrayImage MakeTg18Ad(Tg18Size size) {
    GrayImage image = NewImage(size, 0);
    const Layout l = LayoutFor(image, size);
    l.Outline(kGridFirst, kGridFirst, kGridLast, kGridLast, 1, kLabels);
    for (int k = 1; k < kCells; ++k) {
        const int g = CellStart(k) - 2;
        l.Box(g, kGridFirst, g + 1, kGridLast, kLabels);
        l.Box(kGridFirst, g, kGridLast, g + 1, kLabels);
    }
    // Line pairs of period 4 pixels at every scale: two black rows, two rows at the level.
    for (int row = 0; row < kCells; ++row) {
        for (int col = 0; col < kCells; ++col) {
            const std::uint8_t level = CellLevel(kCells * row + col);
            const int x0 = l.X(CellStart(col));
            const int y0 = l.Y(CellStart(row));
            const int side = l.Len(kCellSide);
            for (int y = 2; y + 1 < side; y += 4) {
                image.FillBox(x0, y0 + y, x0 + side - 1, y0 + y + 1, level);
            }
        }
    }
    const TextStyle digits{2 * l.s, l.s};
    for (int k = 0; k < kCells; ++k) {
        const std::string column = std::to_string(k + 1);
        DrawTextCentred(image, l.X(CellStart(k)), l.X(CellStart(k) + kCellSide) - 1, l.Y(280),
                        column, digits, kLabels);
        const std::string row = std::to_string(k);
        const int right = l.X(295) - 1;
        const int top = l.Y(CellStart(k)) + (l.Len(kCellSide) - CapHeight(digits)) / 2;
        DrawText(image, right - TextWidth(row, digits) + 1, top, row, digits, kLabels);
    }
    DrawLabel(l, 0, 27, kSquareSide - 1, 86,
              {{"TG18-AD", {3, 1}, 0}, {"synthetic, after AAPM OR-03", {2, 1}, 10}}, kTitle);
    return image;
}

} // namespace res
