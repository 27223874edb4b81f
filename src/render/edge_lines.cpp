#include "render/patterns.h"

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

void Outline(CDC* dc, int right, int bottom) {
    dc->MoveTo(0, 0);
    dc->LineTo(right, 0);
    dc->LineTo(right, bottom);
    dc->LineTo(0, bottom);
    dc->LineTo(0, 0);
}

} // namespace

void DrawEdgeLines(const Frame& f, int id) {
    CDC* dc = f.dc;
    const int W = f.W, H = f.H;
    CPen* oldPen = dc->SelectObject(f.whitePen);
    switch (id) {
    case 0:
        VerticalLine(dc, 0, H);
        break;
    case 1:
        VerticalLine(dc, W - 1, H);
        break;
    case 2:
        VerticalLine(dc, 0, H);
        VerticalLine(dc, W - 1, H);
        break;
    case 3:
        VerticalLine(dc, 0, H);
        VerticalLine(dc, 1, H);
        break;
    case 4:
        VerticalLine(dc, W - 1, H);
        VerticalLine(dc, W - 2, H);
        break;
    case 5:
        VerticalLine(dc, 0, H);
        VerticalLine(dc, 1, H);
        VerticalLine(dc, W - 1, H);
        VerticalLine(dc, W - 2, H);
        break;
    case 6:
        for (int x = 0; x < W; x += 2) {
            VerticalLine(dc, x, H);
        }
        break;
    default:
        break;
    }
    dc->SelectObject(oldPen);
}

void DrawPixelChecker(const Frame& f) {
    CDC* dc = f.dc;
    const int W = f.W, H = f.H;
    CPen* oldPen = dc->SelectObject(f.whitePen);
    for (int x = 0; x < W; x += 2) {
        VerticalLine(dc, x, H);
    }
    // Inverting the odd rows with a black pen turns the columns into a checkerboard.
    dc->SelectObject(f.blackPen);
    const int oldRop = dc->SetROP2(R2_NOTXORPEN);
    for (int y = 1; y < H; y += 2) {
        HorizontalLine(dc, y, W);
    }
    dc->SelectObject(f.whitePen);
    dc->SetROP2(R2_COPYPEN);
    Outline(dc, W, H);
    Outline(dc, W - 1, H - 1);
    dc->SetROP2(oldRop);
    dc->SelectObject(oldPen);
}

} // namespace render
