// Patterns 41 and 42: an even background with nine 200 x 200 square frames on a 3 x 3 grid,
// drawn as raised-and-sunken bump borders.

#include "app/lumivex_dlg.h"

void CLumivexDlg::DrawEdgeSquares(CDC* dc, COLORREF background) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;

    dc->FillSolidRect(0, 0, W, H, background);
    const int qw = W / 4;
    const int qh = H / 4;
    for (int k = 1; k <= 3; ++k) {
        for (int m = 1; m <= 3; ++m) {
            RECT square{k * qw - 100, m * qh - 100, k * qw + 100, m * qh + 100};
            ::DrawEdge(dc->m_hDC, &square, EDGE_BUMP, BF_RECT | BF_ADJUST);
        }
    }
}
