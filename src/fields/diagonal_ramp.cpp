// Pattern 37: a diagonal ramp of 256 levels in the top-left 1024 x 1024 pixels, gray
// (x + y) / 8, drawn as 45-degree lines from the client origin.

#include "app/lumivex_dlg.h"
#include "fields/field_colors.h"

void CLumivexDlg::DrawDiagonalRamp(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    const int W = client.right;
    const int H = client.bottom;

    dc->FillSolidRect(0, 0, W, H, 0x000000);
    // The white square is laid out centred like the square ramp of pattern 36, but the ramp
    // itself starts at the origin: on screens wider than 1026 the square is painted over.
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
            dc->MoveTo(j, 0);
            dc->LineTo(0, j);
        }
        dc->SelectObject(oldPen);
    }
    // The lines beyond the first 1024 diagonals run out of the square; these cut them off.
    const RECT right{1024, 0, W, H};
    dc->FillSolidRect(&right, 0x000000);
    const RECT below{0, 1024, W, H};
    dc->FillSolidRect(&below, 0x000000);
}
