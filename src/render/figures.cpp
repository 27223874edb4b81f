// Line figures: the grid with its centre rectangle and circle, and the alignment figure.

#include "render/patterns.h"

#include <algorithm>

namespace render {

namespace {

void VerticalLine(CDC* dc, int x, int H) {
    dc->MoveTo(x, 0);
    dc->LineTo(x, H);
}

void HorizontalLine(CDC* dc, int y, int W) {
    dc->MoveTo(0, y);
    dc->LineTo(W, y);
}

} // namespace

void DrawGridFigure(const Frame& f) {
    CDC* dc = f.dc;
    const int W = f.W, H = f.H;
    CPen* oldPen = dc->SelectObject(f.whitePen);

    VerticalLine(dc, 0, H);
    VerticalLine(dc, W - 1, H);
    // Each level redraws the coarser levels' lines; the finest level with cells above 50
    // pixels is what remains visible.
    int n = 2;
    while (W / n > 50) {
        for (int i = 1; i < n; ++i) {
            VerticalLine(dc, (i * W) / n, H);
        }
        n *= 2;
    }
    HorizontalLine(dc, 0, W);
    HorizontalLine(dc, H - 1, W);
    int m = 2;
    while (H / m > 50) {
        for (int i = 1; i < m; ++i) {
            HorizontalLine(dc, (i * H) / m, W);
        }
        m *= 2;
    }

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

    CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
    dc->Ellipse(W / 2 - H / 2, 0, W / 2 + H / 2, H);

    dc->SelectObject(oldPen);
    if (auto* brush = dynamic_cast<CBrush*>(oldBrush)) {
        dc->SelectObject(brush);
    }
}

void DrawAlignmentFigure(const Frame& f) {
    CDC* dc = f.dc;
    const int W = f.W, H = f.H;
    CPen* oldPen = dc->SelectObject(f.whitePen);

    dc->MoveTo(0, 0);
    dc->LineTo(W, H);
    dc->MoveTo(0, H);
    dc->LineTo(W, 0);
    VerticalLine(dc, W / 2, H);
    HorizontalLine(dc, H / 2, W);

    CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
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

    dc->SelectObject(oldPen);
    if (auto* brush = dynamic_cast<CBrush*>(oldBrush)) {
        dc->SelectObject(brush);
    }
}

} // namespace render
