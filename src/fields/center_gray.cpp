// Patterns 30 and 31: concentric gray frames from black at the edge to near white in the
// centre, or the reverse.

#include "app/lumivex_dlg.h"
#include "fields/field_colors.h"
#include "fields/level_label.h"

using fields::Gray;

void CLumivexDlg::DrawCenterGray(CDC* dc, bool reverse) {
    CRect client;
    GetClientRect(&client);
    const int W = client.right;
    const int H = client.bottom;
    const int n = m_stepCount;
    // The keys keep the count within 8..256; without a ring there is nothing to divide by.
    if (n < 1) {
        return;
    }

    const double k = 255.0 / n;
    const double dx = W / (2.0 * n);
    const double dy = H / (2.0 * n);
    // Each rectangle lies inside the one before, so what remains of ring i is a frame; the
    // last (i = n) is empty.
    for (int i = 0; i <= n; ++i) {
        const RECT ring{static_cast<int>(i * dx), static_cast<int>(i * dy),
                        static_cast<int>(W - i * dx), static_cast<int>(H - i * dy)};
        const int g = static_cast<int>(i * k);
        dc->FillSolidRect(&ring, Gray(reverse ? 255 - g : g));
    }
    if (m_labels) {
        dc->SetTextColor(reverse ? 0x000000 : 0xFFFFFF);
        fields::DrawLevelLabel(dc, n, W / 2, (8 * H) / 9);
    }
}
