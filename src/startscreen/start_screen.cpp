// The start screen: shown on every system paint of the main window.

#include "app/lumivex_dlg.h"

namespace {

constexpr COLORREF kBackground = 0x808080;
constexpr COLORREF kGridLine = 0xBFBFBF;

} // namespace

void CLumivexDlg::DrawStartScreen(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    const int W = client.right;
    const int H = client.bottom;
    const bool large = static_cast<long long>(W) * H >= 0x200000;
    const int s = large ? 2 : 1;

    dc->FillSolidRect(&client, kBackground);

    CPen gridPen(PS_SOLID, 1, kGridLine);
    CPen* oldPen = dc->SelectObject(&gridPen);
    // The vertical step doubles in the large class; the horizontal one does not.
    for (int o = 0; o < W / 2; o += 100 * s) {
        dc->MoveTo(W / 2 + o, 0);
        dc->LineTo(W / 2 + o, H);
        dc->MoveTo(W / 2 - o, 0);
        dc->LineTo(W / 2 - o, H);
    }
    for (int o = 0; o < H / 2; o += 100) {
        dc->MoveTo(W, H / 2 + o);
        dc->LineTo(0, H / 2 + o);
        dc->MoveTo(W, H / 2 - o);
        dc->LineTo(0, H / 2 - o);
    }
    dc->SelectObject(oldPen);
}
