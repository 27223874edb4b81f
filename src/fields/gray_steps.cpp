// Patterns 13, 36 and 38: gray step wedges, rising in the upper half and falling in the lower
// half, and the 256-level ramp of exactly 1024 x 1024 pixels.

#include "app/lumivex_dlg.h"
#include "fields/level_label.h"
#include "render/pattern_kit.h"

#include <algorithm>

using patterns::Gray;

namespace {

// Copies columns [x, x + width) of row `from` of the DC's frame into rows [first, last). The
// source row stays in the cache, so each pixel below it costs one store.
void RepeatRow(CDC* dc, int x, int width, int from, int first, int last) {
    for (int y = first; y < last; ++y) {
        dc->BitBlt(x, y, width, 1, dc, x, from, SRCCOPY);
    }
}

// 256 columns of four pixels, centred; the white square behind it shows as a one-pixel frame.
void DrawSquareRamp(CDC* dc, int W, int H, bool labels) {
    dc->FillSolidRect(0, 0, W, H, 0x000000);
    const POINT origin = patterns::SquareRampOrigin(W, H);
    if (labels) {
        patterns::FillSquareRampFrame(dc, origin);
    }
    // Every row of the square is alike: its first row on the screen is filled step by step and
    // copied down, rather than each 4-pixel column filled from top to bottom.
    const int x0 = origin.x, y0 = origin.y;
    const int top = std::max(y0, 0), bottom = std::min(y0 + 1024, H);
    if (top >= bottom) {
        return;
    }
    for (int i = 0; i < 256; ++i) {
        const RECT step{x0 + 4 * i, top, x0 + 4 * i + 4, top + 1};
        dc->FillSolidRect(&step, Gray(i));
    }
    RepeatRow(dc, x0, 1024, top, top + 1, bottom);
}

// Eight steps of 32 levels inside a black margin, cut across the middle by the DC's current
// pen.
void DrawEightSteps(CDC* dc, int W, int b) {
    const int e = (W - 20) / 8;
    for (int j = 0; j < 8; ++j) {
        const int g = std::min(32 * (j + 1), 255);
        const RECT upper{10 + j * e, 10, 10 + (j + 1) * e, b / 2};
        dc->FillSolidRect(&upper, Gray(g));
        const RECT lower{10 + j * e, b / 2, 10 + (j + 1) * e, b - 10};
        dc->FillSolidRect(&lower, Gray(255 - g));
    }
    dc->MoveTo(0, b / 2);
    dc->LineTo(W, b / 2);
}

// n steps across the full width. Laid out as each step filled to the right edge with the
// next painting over its right part, step j keeps x from W*j/n to W*(j+1)/n; only that part is
// filled, which gives the same pixels without painting the frame n/2 times over. The lower
// level is computed on its own, so the two ramps are not mirror images when 255 / (n - 1) is
// not whole. Every row of a half is alike, so only each half's first row is filled and then
// copied down: filling the narrow steps column by column walked the frame at a stride of one
// row per pixel, which cost well over a fill of the frame.
void DrawRamps(CDC* dc, int W, int H, int b, int n) {
    const int upperEnd = std::min(b / 2, H), lowerEnd = std::min(b, H);
    for (int j = 0; j < n; ++j) {
        // A single step has no spacing to divide by; it is the ramp's first level.
        const double rise = n > 1 ? j * 255.0 / (n - 1) : 0.0;
        const int left = W * j / n;
        const int right = W * (j + 1) / n;
        // Filled even where the row lies below the screen: each fill also sets the DC's
        // background colour, which is left as the last fill's.
        const RECT upper{left, 0, right, 1};
        dc->FillSolidRect(&upper, Gray(static_cast<int>(rise)));
        const RECT lower{left, b / 2, right, b / 2 + 1};
        dc->FillSolidRect(&lower, Gray(static_cast<int>(255.0 - rise)));
    }
    RepeatRow(dc, 0, W, 0, 1, upperEnd);
    RepeatRow(dc, 0, W, b / 2, b / 2 + 1, lowerEnd);
}

} // namespace

void CLumivexDlg::DrawGraySteps(CDC* dc, int steps, bool square) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;

    if (square) {
        DrawSquareRamp(dc, W, H, m_labels != FALSE);
        return;
    }
    // With an odd gray level the wedge is laid out for twice the height: its upper half fills
    // the screen and everything else falls below it.
    const int b = m_grayLevel % 2 == 1 ? 2 * H : H;
    if (steps == 8) {
        DrawEightSteps(dc, W, b);
    } else {
        DrawRamps(dc, W, H, b, steps);
    }
    if (m_labels) {
        fields::DrawLevelLabel(dc, steps, W / 2, (8 * b) / 9);
    }
}
