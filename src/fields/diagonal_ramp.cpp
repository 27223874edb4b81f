// Pattern 37: a diagonal ramp of 256 levels in the top-left 1024 x 1024 pixels, gray
// (x + y) / 8, drawn as 45-degree lines from the client origin.

#include "app/lumivex_dlg.h"
#include "platform/gdi/scoped_select.h"
#include "render/pattern_kit.h"

#include <algorithm>

namespace {

// The line from (j, 0) to (0, j), end point left out. Its pixels are (j - k, k) for k < j, with
// no rounding at 45 degrees, so from the 1024th diagonal on only the part inside the ramp's
// square is drawn: the rest would be filled black again below, and the long diagonals crossing
// every row of a large frame are most of the pattern's cost.
void DrawDiagonal(CDC* dc, int j) {
    if (j < 1024) {
        patterns::Line(dc, j, 0, 0, j);
    } else {
        patterns::Line(dc, 1023, j - 1023, j - 1024, 1024);
    }
}

// The pixels the diagonals above light, with the pen overwriting: (x, y) for 1 <= x < w,
// y < h, gray (x + y) / 8 (the first column is left out, as every line leaves out its end).
// Each row is the one above moved left by a pixel, with one new pixel at the right end; rows
// copied that way are written in memory order, where the diagonals wrote a pixel per row.
// The current position ends where the last diagonal leaves it.
void DrawRampByRows(CDC* dc, int w, int h) {
    if (w >= 2 && h >= 1) {
        for (int i = 0; i < 256 && 8 * i < w; ++i) {
            const int left = std::max(8 * i, 1), right = std::min(8 * i + 8, w);
            dc->FillSolidRect(left, 0, right - left, 1, patterns::Gray(i));
        }
        for (int y = 1; y < h; ++y) {
            if (w >= 3) {
                dc->BitBlt(1, y, w - 2, 1, dc, 2, y - 1, SRCCOPY);
            }
            dc->FillSolidRect(w - 1, y, 1, 1, patterns::Gray((w - 1 + y) / 8));
        }
    }
    dc->MoveTo(1023, 1024);
}

} // namespace

void CLumivexDlg::DrawDiagonalRamp(CDC* dc) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;

    // Black under the ramp. The rest of the client area is filled black at the end anyway,
    // after the lines and the white square that run out of the ramp, so it is not painted twice.
    const RECT ramp{0, 0, std::min(W, 1024), std::min(H, 1024)};
    dc->FillSolidRect(&ramp, 0x000000);
    // The white square is laid out centred like the square ramp of pattern 36, but the ramp
    // itself starts at the origin: on screens wider than 1027 the lines paint over all of it
    // that lies within the ramp.
    if (m_labels) {
        patterns::FillSquareRampFrame(dc, patterns::SquareRampOrigin(W, H));
    }
    if (dc->GetROP2() == R2_COPYPEN) {
        DrawRampByRows(dc, ramp.right, ramp.bottom);
    } else {
        for (int i = 0; i < 256; ++i) {
            CPen pen(PS_SOLID, 1, patterns::Gray(i));
            ScopedSelect selected(dc, &pen);
            for (int j = 8 * i; j < 8 * i + 8; ++j) {
                DrawDiagonal(dc, j);
            }
        }
    }
    // The white square may reach beyond the ramp; these cut it off. Beside the ramp only its
    // rows are filled, and below it whole rows: they lie back to back in memory and go as one
    // block, which the C library's fill writes without reading it in first.
    const RECT right{1024, 0, W, std::min(H, 1024)};
    dc->FillSolidRect(&right, 0x000000);
    const RECT below{0, 1024, W, H};
    dc->FillSolidRect(&below, 0x000000);
}
