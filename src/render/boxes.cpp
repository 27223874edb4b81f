// White boxes at the centre, along the edges and in the corners.

#include "render/patterns.h"

#include <algorithm>

namespace render {

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

// Fills the box of centre (x, y) and half-sizes (a, b).
void FillBox(CDC* dc, int x, int y, int a, int b) {
    RECT box;
    SetRect(&box, x, y, x, y);
    InflateRect(&box, a, b);
    dc->FillSolidRect(&box, kWhite);
}

} // namespace

void DrawCenterBox(const Frame& f) {
    const int a = std::min(f.W / 6, 160);
    const int b = std::min(f.H / 6, 160);
    FillBox(f.dc, f.W / 2, f.H / 2, a, b);
}

void DrawNineBoxes(const Frame& f) {
    const int a = std::min(f.W / 9, 110);
    const int b = std::min(f.H / 9, 110);
    const int innerW = f.W - 2 * a;
    const int innerH = f.H - 2 * b;
    for (int i = 0; i < 9; ++i) {
        const int row = i / 3;
        const int column = i % 3;
        FillBox(f.dc, a + (column * innerW) / 2, b + (row * innerH) / 2, a, b);
    }
}

void DrawThreeBoxes(const Frame& f) {
    const int a = std::min(f.W / 12, 120);
    const int b = std::min(f.H / 12, 120);
    for (int i = 0; i < 3; ++i) {
        FillBox(f.dc, ((i + 1) * f.W) / 4, f.H / 2, a, b);
    }
}

void DrawFiveBoxes(const Frame& f) {
    const int s = f.W >= 400 && f.H >= 400 ? 100 : std::min(f.W, f.H) / 8;
    const int a = std::min(f.W / 9, 110);
    const int b = std::min(f.H / 9, 110);
    const int innerW = f.W - 2 * a;
    const int innerH = f.H - 2 * b;
    for (int i = 0; i < 4; ++i) {
        const int row = i / 2;
        const int column = i % 2;
        FillBox(f.dc, a + column * innerW, b + row * innerH, s, s);
    }
    FillBox(f.dc, a + (2 * innerW) / 4, b + (2 * innerH) / 4, s, s);
}

} // namespace render
