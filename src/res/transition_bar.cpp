#include "res/transition_bar.h"

namespace res {

namespace {

constexpr int kBars = 9;
constexpr int kThickness = 3;
constexpr int kLongest = 256;
constexpr std::uint8_t kStripeOnWhite = 249;
constexpr std::uint8_t kStripeOnBlack = 6;

} // namespace

void DrawTransitionBar(GrayImage& image, int x, int y, const TransitionBarGeometry& g) {
    const int u = g.unit;
    const int h = g.halfHeight;
    const int mid = g.width / 2;
    image.FillBox(x, y, x + g.width - 1, y + h - 1, 255);
    image.FillBox(x, y + h, x + g.width - 1, y + 2 * h - 1, 0);
    image.FillBox(x + mid - 3 * u, y, x + mid + 3 * u - 1, y + h - 1, kStripeOnWhite);
    image.FillBox(x + mid - 3 * u, y + h, x + mid + 3 * u - 1, y + 2 * h - 1, kStripeOnBlack);
    // The bars keep 15 units (and one pixel on the left) clear of the centre.
    const int leftEnd = x + mid - 15 * u - 1;
    const int rightStart = x + mid + 15 * u;
    for (int i = 0; i < kBars; ++i) {
        const int length = (kLongest >> i) * u;
        const int thick = kThickness * u;
        const int top = y + g.margin + i * thick;
        image.FillBox(leftEnd - length + 1, top, leftEnd, top + thick - 1, 0);
        image.FillBox(rightStart, top, rightStart + length - 1, top + thick - 1, 0);
        const int bottom = y + 2 * h - 1 - g.margin - i * thick;
        image.FillBox(leftEnd - length + 1, bottom - thick + 1, leftEnd, bottom, 255);
        image.FillBox(rightStart, bottom - thick + 1, rightStart + length - 1, bottom, 255);
    }
}

} // namespace res
