// Pattern 40: five full-height bars, black, red, green, blue and white.

#include "app/lumivex_dlg.h"

#include <array>

namespace {

constexpr std::array<COLORREF, 5> kBars = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};

} // namespace

void CLumivexDlg::DrawColorBars(CDC* dc) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;

    for (int i = 0; i < 5; ++i) {
        const RECT bar{W * i / 5, 0, W * (i + 1) / 5, H};
        dc->FillSolidRect(&bar, kBars[static_cast<std::size_t>(i)]);
    }
}
