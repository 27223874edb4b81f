// Pattern 39: 24 colour patches in four rows of six on black.

#include "app/lumivex_dlg.h"

#include <array>

namespace {

// Row by row, left to right: two rows of chromatic colours, one of primaries and secondaries,
// and a row of grays from white to near black.
constexpr std::array<COLORREF, 24> kChart = {
    0x01105F, 0x6DA1FB, 0xFF7C65, 0x1C695B, 0xDC8CB1, 0xA9FF99, //
    0x0878FF, 0x842500, 0x2113F4, 0x440041, 0x06FED0, 0x029BFE, //
    0x980000, 0x1DBE3A, 0x0000E1, 0x04F1FE, 0x8400E7, 0xD39E01, //
    0xFFFFFF, 0xE1E1E1, 0xC7C7C7, 0x7A7A7A, 0x2F2F2F, 0x0A0A0A,
};

} // namespace

void CLumivexDlg::DrawColorChart(CDC* dc) {
    const CSize size = ClientSize();
    // The grid is a seventh of the width by a fifth of the height, computed in integers and
    // then placed in doubles: patches are separated by a sixth of a column and a quarter of a
    // row.
    const double cw = size.cx / 7;
    const double ch = size.cy / 5;

    std::size_t next = 0;
    for (int r = 1; r <= 4; ++r) {
        const int top = static_cast<int>((r - 1) * ch + 0.25 * (r * ch));
        const int bottom = static_cast<int>(0.25 * (r * ch) + r * ch);
        for (int k = 1; k <= 6; ++k) {
            const int left = static_cast<int>((k - 1) * cw + (k * cw) / 6.0);
            const int right = static_cast<int>((k * cw) / 6.0 + k * cw);
            const RECT patch{left, top, right, bottom};
            dc->FillSolidRect(&patch, kChart[next++]);
        }
    }
}
