// Patterns 17, 18 and 35: an even background with five measuring boxes, four in the corners
// and one in the centre, outlined with the pen the caller selected.

#include "app/lumivex_dlg.h"
#include "render/pattern_kit.h"

namespace {

// The box edges as fractions of the client size. They are the exact doubles below, and the
// products are truncated, so a neighbouring double moves an edge: kFd is the double sum
// 0.35 + 0.3, one unit in the last place below 0.65, which puts the centre box's far edges at
// 1247 and 701 on a 1920 x 1080 screen rather than 1248 and 702.
constexpr double kFa = 0.31666666666666665;
constexpr double kFb = 0.6833333333333333;
constexpr double kFc = 0.35;
constexpr double kFd = 0.6499999999999999;
static_assert(kFd == 0.35 + 0.3 && kFd < 0.65);

int Scaled(int size, double fraction) {
    return static_cast<int>(size * fraction);
}

} // namespace

using patterns::Outline;

void CLumivexDlg::DrawUniformityBoxes(CDC* dc, COLORREF background) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;

    dc->FillSolidRect(0, 0, W, H, background);
    const int xa = Scaled(W, kFa), ya = Scaled(H, kFa);
    const int xb = Scaled(W, kFb), yb = Scaled(H, kFb);
    const int xc = Scaled(W, kFc), yc = Scaled(H, kFc);
    const int xd = Scaled(W, kFd), yd = Scaled(H, kFd);

    Outline(dc, {xa, 5}, {xa, ya}, {5, ya}, {5, 5});
    Outline(dc, {W - 5, 5}, {W - 5, ya}, {xb, ya}, {xb, 5});
    Outline(dc, {xd, yc}, {xd, yd}, {xc, yd}, {xc, yc});
    Outline(dc, {xa, yb}, {xa, H - 5}, {5, H - 5}, {5, yb});
    Outline(dc, {W - 5, yb}, {W - 5, H - 5}, {xb, H - 5}, {xb, yb});
}
