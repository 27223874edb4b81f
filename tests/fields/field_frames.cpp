#include "field_frames.h"

namespace fields_test {

void ExpectOnlyText(const gdi::Surface& labelled, const gdi::Surface& bare, COLORREF ink,
                    const std::vector<TextLine>& lines) {
    ASSERT_EQ(labelled.Width(), bare.Width());
    ASSERT_EQ(labelled.Height(), bare.Height());
    const std::uint32_t inkPixel = gdi::ToPixel(ink);
    std::vector<RECT> cells;
    for (const TextLine& line : lines) {
        const SIZE size = Measure(line.text);
        cells.push_back(RECT{line.x, line.y, line.x + size.cx, line.y + size.cy});
    }
    std::vector<bool> inked(cells.size(), false);
    for (int y = 0; y < bare.Height(); ++y) {
        for (int x = 0; x < bare.Width(); ++x) {
            const std::uint32_t p = labelled.At(x, y), ground = bare.At(x, y);
            if (p == ground) {
                continue;
            }
            bool inCell = false;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                const RECT& c = cells[i];
                if (x >= c.left && x < c.right && y >= c.top && y < c.bottom) {
                    inCell = true;
                    inked[i] = true;
                }
            }
            ASSERT_TRUE(inCell) << "stray pixel " << std::hex << p << std::dec << " at " << x << ","
                                << y;
            ASSERT_EQ(p, inkPixel) << x << "," << y;
        }
    }
    const RECT screen = bare.Bounds();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        RECT visible;
        if (IntersectRect(&visible, &cells[i], &screen)) {
            EXPECT_TRUE(inked[i]) << "no ink in \"" << lines[i].text << "\"";
        }
    }
}

std::vector<TextLine> ValueLabel(RECT area, COLORREF color) {
    const int r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    const int cy = Measure("R:" + std::to_string(r)).cy;
    const int x = area.left + (area.right - area.left) / 2;
    return {{"R:" + std::to_string(r), x, area.bottom - 4 * cy},
            {"G:" + std::to_string(g), x, area.bottom - 3 * cy},
            {"B:" + std::to_string(b), x, area.bottom - 2 * cy}};
}

} // namespace fields_test
