// Patterns 20-29, 33 and 34: one area of a solid colour, with its red, green and blue values
// written in the lower half of the area while the labels are on.

#include "app/lumivex_dlg.h"

#include <cstdio>

namespace {

void DrawValueLine(CDC* dc, int x, int y, const char* format, int value) {
    char text[16];
    const int length = std::snprintf(text, sizeof text, format, value);
    dc->TextOut(x, y, std::string_view(text, static_cast<std::size_t>(length)));
}

} // namespace

void CLumivexDlg::DrawColorField(CDC* dc, COLORREF color, int left, int top, int right,
                                 int bottom) {
    const RECT area{left, top, right, bottom};
    dc->FillSolidRect(&area, color);
    if (!m_labels) {
        return;
    }
    const int r = color & 0xFF;
    const int g = (color >> 8) & 0xFF;
    const int b = (color >> 16) & 0xFF;
    // Black text would vanish on a dark component, so it turns white. It is never turned back:
    // the right half of a level pair inherits white from a dark left half.
    if (r < 50 || g < 50 || b < 50) {
        dc->SetTextColor(0xFFFFFF);
    }
    const int oldMode = dc->SetBkMode(TRANSPARENT);

    char first[16];
    const int length = std::snprintf(first, sizeof first, "R:%d", r);
    SIZE extent{0, 0};
    ::GetTextExtentPoint32A(dc->m_hAttribDC, first, length, &extent);
    const int cy = extent.cy;

    // The label starts at the middle of the area and runs to its right; one free line stays
    // below it. All three lines step by the height measured for the first.
    const int x = left + (right - left) / 2;
    int y = bottom - 4 * cy;
    dc->TextOut(x, y, std::string_view(first, static_cast<std::size_t>(length)));
    y += cy;
    DrawValueLine(dc, x, y, "G:%d", g);
    DrawValueLine(dc, x, y + cy, "B:%d", b);

    dc->SetBkMode(oldMode);
}
