// Patterns 0-6: single-pixel vertical lines at the edges, or on every even column; pattern 7: a
// one-pixel checkerboard with a white frame.

#include "app/lumivex_dlg.h"
#include "platform/gdi/scoped_select.h"
#include "render/pattern_kit.h"

#include <algorithm>

using patterns::Column;
using patterns::Line;
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

    // Inside the white frame, pixel (x, y) is white where x + y is even (white even columns
    // with the odd rows inverted). Rows two apart are alike, so the first two rows inside the
    // frame are drawn and copied down the frame two at a time: each pixel is written once,
    // from a source that stays in the cache, where drawing columns and then inverting rows
    // went over the frame three times. The frame is not cleared first (the dispatcher knows
    // this pattern paints every pixel).
    const int top = 1, bottom = H - 1; // the rows inside the frame
    if (bottom > top) {
        const int band = std::min(2, bottom - top);
        dc->FillSolidRect(0, top, W, band, 0x000000);
        // Odd columns are white in the first row (odd y), even ones in the second; one row
        // at a time, so that the line queue draws each as a single batch.
        for (int row = 0; row < band; ++row) {
            const int y = top + row;
            for (int x = y % 2; x < W; x += 2) {
                Line(dc, x, y, x, y + 1);
            }
        }
        for (int y = top + band; y < bottom; y += 2) {
            dc->BitBlt(0, y, W, std::min(2, bottom - y), dc, 0, top, SRCCOPY);
        }
    }
    dc->SetROP2(R2_COPYPEN);
    Outline(dc, {0, 0}, {W, 0}, {W, H}, {0, H});
    Outline(dc, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1});
    dc->SetROP2(oldRop);
}
