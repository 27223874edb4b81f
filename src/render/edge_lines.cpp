// Patterns 0-6: single-pixel vertical lines at the edges, or on every even column; pattern 7: a
// one-pixel checkerboard with a white frame.

#include "app/lumivex_dlg.h"
#include "platform/gdi/scoped_select.h"
#include "render/pattern_kit.h"

using patterns::Column;
using patterns::Outline;
using patterns::Row;

void CLumivexDlg::DrawEdgeLines(CDC* dc, const FramePens& pens, int id) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;
    ScopedSelect pen(dc, pens.white);
    switch (id) {
    case 0:
        Column(dc, 0, H);
        break;
    case 1:
        Column(dc, W - 1, H);
        break;
    case 2:
        Column(dc, 0, H);
        Column(dc, W - 1, H);
        break;
    case 3:
        Column(dc, 0, H);
        Column(dc, 1, H);
        break;
    case 4:
        Column(dc, W - 1, H);
        Column(dc, W - 2, H);
        break;
    case 5:
        Column(dc, 0, H);
        Column(dc, 1, H);
        Column(dc, W - 1, H);
        Column(dc, W - 2, H);
        break;
    case 6:
        for (int x = 0; x < W; x += 2) {
            Column(dc, x, H);
        }
        break;
    default:
        break;
    }
}

void CLumivexDlg::DrawPixelChecker(CDC* dc, const FramePens& pens) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;
    ScopedSelect pen(dc, pens.white);
    const int oldRop = dc->GetROP2();
    for (int x = 0; x < W; x += 2) {
        Column(dc, x, H);
    }
    // Inverting the odd rows with a black pen turns the columns into a checkerboard.
    dc->SelectObject(pens.black);
    dc->SetROP2(R2_NOTXORPEN);
    for (int y = 1; y < H; y += 2) {
        Row(dc, y, W);
    }
    dc->SelectObject(pens.white);
    dc->SetROP2(R2_COPYPEN);
    Outline(dc, {0, 0}, {W, 0}, {W, H}, {0, H});
    Outline(dc, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1});
    dc->SetROP2(oldRop);
}
