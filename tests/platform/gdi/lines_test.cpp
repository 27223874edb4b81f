#include "platform/gdi/dc.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Draws one line on a fresh 16 x 16 memory DC and lists the lit pixels in drawing order of rows.
std::vector<std::pair<int, int>> Lit(int x0, int y0, int x1, int y1) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bm;
    bm.CreateCompatibleBitmap(&dc, 16, 16);
    CBitmap* old = dc.SelectObject(&bm);
    CPen pen(PS_SOLID, 1, 0xFFFFFF);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
    dc.SelectObject(oldPen);
    dc.SelectObject(old);
    std::vector<std::pair<int, int>> lit;
    const auto& s = *static_cast<HBITMAP>(bm.m_hObject)->surface;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (s.At(x, y) != 0) {
                lit.emplace_back(x, y);
            }
        }
    }
    return lit;
}

using Pixels = std::vector<std::pair<int, int>>;

TEST(Lines, LightTheGridIntersectionPixelsAndLeaveOutTheEnd) {
    EXPECT_EQ(Lit(0, 0, 5, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(Lit(0, 0, 4, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(Lit(4, 2, 0, 0), (Pixels{{1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(Lit(0, 3, 6, 0), (Pixels{{5, 0}, {3, 1}, {4, 1}, {1, 2}, {2, 2}, {0, 3}}));
    EXPECT_EQ(Lit(6, 0, 0, 3), (Pixels{{5, 0}, {6, 0}, {3, 1}, {4, 1}, {1, 2}, {2, 2}}));
    EXPECT_TRUE(Lit(3, 3, 3, 3).empty());
}

} // namespace
