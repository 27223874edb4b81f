#pragma once
// What the pattern routines share: the gray of a level, and the one-pixel strokes they draw with
// the DC's current pen.

#include "platform/gdi/dc.h"

namespace patterns {

// The gray of a level: only its low byte counts, so 256 is black again.
constexpr COLORREF Gray(int level) {
    return static_cast<COLORREF>(level & 0xFF) * 0x010101u;
}

// Patterns 36 and 37 lay out a 1024 x 1024 square centred on the client area; with the labels
// on, a white square one pixel larger on every side goes behind it.
constexpr int kSquareRamp = 1024;
inline POINT SquareRampOrigin(int W, int H) {
    return POINT{(W - kSquareRamp) / 2, (H - kSquareRamp) / 2};
}
inline void FillSquareRampFrame(CDC* dc, POINT origin) {
    const RECT frame{origin.x - 1, origin.y - 1, origin.x + kSquareRamp + 1,
                     origin.y + kSquareRamp + 1};
    dc->FillSolidRect(&frame, 0xFFFFFF);
}

// The line from (x0, y0) up to, but not including, (x1, y1).
inline void Line(CDC* dc, int x0, int y0, int x1, int y1) {
    dc->MoveTo(x0, y0);
    dc->LineTo(x1, y1);
}

// Column x from the top down over the height H; row y from the left over the width W.
inline void Column(CDC* dc, int x, int H) {
    Line(dc, x, 0, x, H);
}
inline void Row(CDC* dc, int y, int W) {
    Line(dc, 0, y, W, y);
}

// The closed outline a, b, c, d and back to a: every corner is set once.
inline void Outline(CDC* dc, POINT a, POINT b, POINT c, POINT d) {
    dc->MoveTo(a);
    dc->LineTo(b);
    dc->LineTo(c);
    dc->LineTo(d);
    dc->LineTo(a);
}

} // namespace patterns
