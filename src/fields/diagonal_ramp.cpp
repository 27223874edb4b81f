// Pattern 37: a diagonal ramp of 256 levels in the top-left 1024 x 1024 pixels, gray
// (x + y) / 8, drawn as 45-degree lines from the client origin.

#include "app/lumivex_dlg.h"
#include "fields/field_colors.h"

#include <algorithm>

namespace {

// The line from (j, 0) to (0, j), end point left out. Its pixels are (j - k, k) for k < j, with
// no rounding at 45 degrees, so from the 1024th diagonal on only the part inside the ramp's
// square is drawn: the rest would be filled black again below, and the long diagonals crossing
// every row of a large frame are most of the pattern's cost.
void DrawDiagonal(CDC* dc, int j) {
    if (j < 1024) {
        dc->MoveTo(j, 0);
        dc->LineTo(0, j);
    } else {
        dc->MoveTo(1023, j - 1023);
        dc->LineTo(j - 1024, 1024);
    }
}

} // namespace

void CLumivexDlg::DrawDiagonalRamp(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    const int W = client.right;
    const int H = client.bottom;

    // Black under the ramp. The rest of the client area is filled black at the end anyway,
    // after the lines and the white square that run out of the ramp, so it is not painted twice.
    const RECT ramp{0, 0, std::min(W, 1024), std::min(H, 1024)};
    dc->FillSolidRect(&ramp, 0x000000);
    // The white square is laid out centred like the square ramp of pattern 36, but the ramp
    // itself starts at the origin: on screens wider than 1027 the lines paint over all of it
    // that lies within the ramp.
    const int x0 = (W - 1024) / 2;
    const int y0 = (H - 1024) / 2;
    if (m_labels) {
        const RECT frame{x0 - 1, y0 - 1, x0 + 1025, y0 + 1025};
        dc->FillSolidRect(&frame, 0xFFFFFF);
    }
    for (int i = 0; i < 256; ++i) {
        CPen pen(PS_SOLID, 1, fields::Gray(i));
        CPen* oldPen = dc->SelectObject(&pen);
        for (int j = 8 * i; j < 8 * i + 8; ++j) {
            DrawDiagonal(dc, j);
        }
        dc->SelectObject(oldPen);
    }
    // The white square may reach beyond the ramp; these cut it off.
    const RECT right{1024, 0, W, H};
    dc->FillSolidRect(&right, 0x000000);
    const RECT below{0, 1024, W, H};
    dc->FillSolidRect(&below, 0x000000);
}
