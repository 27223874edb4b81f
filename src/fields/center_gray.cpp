// Patterns 30 and 31: concentric gray frames from black at the edge to near white in the
// centre, or the reverse.

#include "app/lumivex_dlg.h"
#include "fields/level_label.h"
#include "render/pattern_kit.h"

using patterns::Gray;

void CLumivexDlg::DrawCenterGray(CDC* dc, bool reverse) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;
    const int n = m_stepCount;
    // The keys keep the count within 8..256; without a ring there is nothing to divide by.
    if (n < 1) {
        return;
    }

    const double k = 255.0 / n;
    const double dx = W / (2.0 * n);
    const double dy = H / (2.0 * n);
    // Each rectangle lies inside the one before (the edges are monotonic in i), so a pixel
    // ends up in the colour of the innermost rectangle that holds it. Filling only what ring i
    // keeps, the frame between its rectangle and the next, gives the same pixels as filling
    // every rectangle whole, without painting the centre n times.
    auto ring = [&](int i) {
        return RECT{static_cast<int>(i * dx), static_cast<int>(i * dy),
                    static_cast<int>(W - i * dx), static_cast<int>(H - i * dy)};
    };
    for (int i = 0; i <= n; ++i) {
        const RECT outer = ring(i);
        const int g = static_cast<int>(i * k);
        const COLORREF color = Gray(reverse ? 255 - g : g);
        const RECT inner = ring(i + 1);
        if (i == n || inner.left >= inner.right || inner.top >= inner.bottom) {
            dc->FillSolidRect(&outer, color);
            continue;
        }
        const RECT strips[4] = {{outer.left, outer.top, outer.right, inner.top},
                                {outer.left, inner.bottom, outer.right, outer.bottom},
                                {outer.left, inner.top, inner.left, inner.bottom},
                                {inner.right, inner.top, outer.right, inner.bottom}};
        for (const RECT& strip : strips) {
            if (strip.left < strip.right && strip.top < strip.bottom) {
                dc->FillSolidRect(&strip, color);
            }
        }
    }
    if (m_labels) {
        dc->SetTextColor(reverse ? 0x000000 : 0xFFFFFF);
        fields::DrawLevelLabel(dc, n, W / 2, (8 * H) / 9);
    }
}
