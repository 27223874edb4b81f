#include "app/screen_check.h"

#include <cstdio>

namespace {

std::string Hex(std::uint32_t pixel) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(pixel & 0xFFFFFFu));
    return text;
}

} // namespace

ScreenComparison CompareWithScreen(const gdi::Surface& shown, const gdi::Surface& drawn, int left,
                                   int top, std::size_t keep) {
    ScreenComparison c;
    c.total =
        static_cast<std::uint64_t>(shown.Width()) * static_cast<std::uint64_t>(shown.Height());
    for (int y = 0; y < shown.Height(); ++y) {
        const std::uint32_t* row = shown.Row(y);
        const int dy = y - top;
        const bool rowInside = dy >= 0 && dy < drawn.Height();
        const std::uint32_t* drawnRow = rowInside ? drawn.Row(dy) : nullptr;
        for (int x = 0; x < shown.Width(); ++x) {
            const int dx = x - left;
            std::optional<std::uint32_t> expected;
            if (drawnRow && dx >= 0 && dx < drawn.Width()) {
                expected = drawnRow[dx] & 0xFFFFFFu;
            }
            const std::uint32_t actual = row[x] & 0xFFFFFFu;
            if (expected == actual) {
                continue;
            }
            ++c.differing;
            if (c.first.size() < keep) {
                c.first.push_back({x, y, expected, actual});
            }
        }
    }
    return c;
}

std::string DescribeComparison(const ScreenComparison& c) {
    if (c.Exact()) {
        return "exact";
    }
    std::string s = std::to_string(c.differing) + " of " + std::to_string(c.total) +
                    (c.differing == 1 ? " pixel differs: " : " pixels differ: ");
    for (std::size_t i = 0; i < c.first.size(); ++i) {
        const PixelDifference& d = c.first[i];
        s += (i ? ", (" : "(") + std::to_string(d.x) + ", " + std::to_string(d.y) + ") ";
        s += d.drawn ? "drawn " + Hex(*d.drawn) : std::string("outside the window");
        s += " shown " + Hex(d.shown);
    }
    if (c.differing > c.first.size()) {
        s += ", ...";
    }
    return s;
}
