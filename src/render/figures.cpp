// Pattern 8: the grid with its centre rectangle and a circle as high as the screen; pattern 19:
// the alignment figure of diagonals, centre lines, three circles and nine nested rectangles.

#include "app/lumivex_dlg.h"
#include "platform/gdi/scoped_select.h"
#include "render/pattern_kit.h"

#include <algorithm>

using patterns::Column;
using patterns::Line;
using patterns::Row;

namespace {

// The grid lines across length: i * length / n for 0 < i < n, for n = 2, 4, 8, ... Each level
// redraws the coarser levels' lines; the finest level with cells above 50 pixels is what remains
// visible. Returns the first n whose cells are 50 pixels or less.
template <class Draw> int Subdivide(int length, Draw draw) {
    int n = 2;
    while (length / n > 50) {
        for (int i = 1; i < n; ++i) {
            draw((i * length) / n);
        }
        n *= 2;
    }
    return n;
}

} // namespace

void CLumivexDlg::DrawGridFigure(CDC* dc, const FramePens& pens) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;
    ScopedSelect pen(dc, pens.white);

    Column(dc, 0, H);
    Column(dc, W - 1, H);
    const int n = Subdivide(W, [&](int x) { Column(dc, x, H); });
    Row(dc, 0, W);
    Row(dc, H - 1, W);
    const int m = Subdivide(H, [&](int y) { Row(dc, y, W); });

    // The centre rectangle grows by half a grid cell a side per step, each direction until it
    // has reached 250 pixels or a quarter of the screen.
    RECT centre{W / 2, H / 2, W / 2, H / 2};
    for (;;) {
        const int w = centre.right - centre.left;
        const int h = centre.bottom - centre.top;
        const bool wideEnough = w >= 250 || w >= W / 4;
        const bool highEnough = h >= 250 || h >= H / 4;
        if (wideEnough && highEnough) {
            break;
        }
        if (!wideEnough) {
            InflateRect(&centre, W / n, 0);
        }
        if (!highEnough) {
            InflateRect(&centre, 0, H / m);
        }
    }
    dc->FillSolidRect(&centre, 0xFFFFFF);

    ScopedSelect hollow(dc, NULL_BRUSH);
    dc->Ellipse(W / 2 - H / 2, 0, W / 2 + H / 2, H);
}

void CLumivexDlg::DrawAlignmentFigure(CDC* dc, const FramePens& pens) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;
    ScopedSelect pen(dc, pens.white);

    Line(dc, 0, 0, W, H);
    Line(dc, 0, H, W, 0);
    Column(dc, W / 2, H);
    Row(dc, H / 2, W);

    ScopedSelect hollow(dc, NULL_BRUSH);
    const int r = std::min(W, H) / 6;
    for (int k = 1; k <= 3; ++k) {
        dc->MoveTo(W / 2, H / 2);
        dc->AngleArc(W / 2, H / 2, k * r, 0.0f, 360.0f);
    }
    const int dx = W / 18;
    const int dy = H / 18;
    for (int k = 0; k <= 8; ++k) {
        dc->Rectangle(k * dx, k * dy, W - k * dx, H - k * dy);
    }
}
