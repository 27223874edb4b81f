// Patterns 30 and 31: concentric gray frames from black at the edge to near white in the
// centre, or the reverse.

#include "app/lumivex_dlg.h"
#include "fields/level_label.h"
#include "render/pattern_kit.h"

#include <vector>

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
    auto ring = [&](int i) {
        return RECT{static_cast<int>(i * dx), static_cast<int>(i * dy),
                    static_cast<int>(W - i * dx), static_cast<int>(H - i * dy)};
    };
    auto color = [&](int i) {
        const int g = static_cast<int>(i * k);
        return Gray(reverse ? 255 - g : g);
    };
    // Ring i's rectangle lies inside ring i - 1's (its edges are monotonic in i), so a pixel
    // takes the colour of the innermost rectangle that holds it, and every row is ring 0's row
    // with the middle parts of rings 1..m painted over it, m the innermost ring whose rows hold
    // it. Rows of the same m are alike: each is made once and copied down, so the frame is
    // written in row order. Filling the rings' narrow sides walked it column by column, a row's
    // stride per pixel, which cost several fills of the frame.
    std::vector<int> rowOfDepth(n + 1, -1); // a row already made for each m
    // The rings holding a row are 0..m; m moves little from one row to the next.
    auto holds = [&](int i, int y) {
        const RECT r = ring(i);
        return y >= r.top && y < r.bottom;
    };
    auto paintRing = [&](int i, int y) {
        const RECT r = ring(i);
        const RECT part{r.left, y, r.right, y + 1};
        dc->FillSolidRect(&part, color(i));
    };
    int m = 0;
    for (int y = 0; y < H; ++y) {
        while (m > 0 && !holds(m, y)) {
            --m;
        }
        while (m < n && holds(m + 1, y)) {
            ++m;
        }
        if (rowOfDepth[m] >= 0) {
            dc->BitBlt(0, y, W, 1, dc, 0, rowOfDepth[m], SRCCOPY);
        } else {
            // From the deepest row made so far that lies within this one's rings.
            int base = m;
            while (base >= 0 && rowOfDepth[base] < 0) {
                --base;
            }
            if (base >= 0) {
                dc->BitBlt(0, y, W, 1, dc, 0, rowOfDepth[base], SRCCOPY);
            }
            for (int i = base + 1; i <= m; ++i) {
                paintRing(i, y);
            }
            rowOfDepth[m] = y;
        }
    }
    // The innermost ring is filled last, as always: it leaves the DC's background colour at
    // the centre's colour.
    const RECT centre = ring(n);
    dc->FillSolidRect(&centre, color(n));
    if (m_labels) {
        dc->SetTextColor(reverse ? 0x000000 : 0xFFFFFF);
        fields::DrawLevelLabel(dc, n, W / 2, (8 * H) / 9);
    }
}
