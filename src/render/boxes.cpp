// Patterns 9-12: white boxes at the centre, along the edges and in the corners.

#include "app/lumivex_dlg.h"

#include <algorithm>

namespace {

// Fills the white box of centre (x, y) and half-sizes (a, b).
void FillBox(CDC* dc, int x, int y, int a, int b) {
    RECT box;
    SetRect(&box, x, y, x, y);
    InflateRect(&box, a, b);
    dc->FillSolidRect(&box, 0xFFFFFF);
}

// Nine boxes of half-sizes a, b: at the corners, the middles of the edges and the centre of the
// area that their centres span. Pattern 10 fills all nine; pattern 12 the corners and the
// centre, with boxes of its own size s.
struct BoxGrid {
    int a, b, innerW, innerH;
    BoxGrid(int W, int H) : a(std::min(W / 9, 110)), b(std::min(H / 9, 110)) {
        innerW = W - 2 * a;
        innerH = H - 2 * b;
    }
    int X(int column) const { return a + (column * innerW) / 2; }
    int Y(int row) const { return b + (row * innerH) / 2; }
};

} // namespace

void CLumivexDlg::DrawCenterBox(CDC* dc) {
    const CSize size = ClientSize();
    FillBox(dc, size.cx / 2, size.cy / 2, std::min(size.cx / 6, 160), std::min(size.cy / 6, 160));
}

void CLumivexDlg::DrawNineBoxes(CDC* dc) {
    const CSize size = ClientSize();
    const BoxGrid grid(size.cx, size.cy);
    for (int i = 0; i < 9; ++i) {
        FillBox(dc, grid.X(i % 3), grid.Y(i / 3), grid.a, grid.b);
    }
}

void CLumivexDlg::DrawThreeBoxes(CDC* dc) {
    const CSize size = ClientSize();
    const int a = std::min(size.cx / 12, 120);
    const int b = std::min(size.cy / 12, 120);
    for (int i = 0; i < 3; ++i) {
        FillBox(dc, ((i + 1) * size.cx) / 4, size.cy / 2, a, b);
    }
}

void CLumivexDlg::DrawFiveBoxes(CDC* dc) {
    const CSize size = ClientSize();
    const int s = size.cx >= 400 && size.cy >= 400 ? 100 : std::min(size.cx, size.cy) / 8;
    const BoxGrid grid(size.cx, size.cy);
    for (int i = 0; i < 4; ++i) {
        FillBox(dc, grid.X(2 * (i % 2)), grid.Y(2 * (i / 2)), s, s);
    }
    FillBox(dc, grid.X(1), grid.Y(1), s, s);
}
