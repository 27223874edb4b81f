#pragma once
// Helpers that let pixel tests read as the statements they prove.

#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"
#include "support/summary.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace testing_support {

// The pixels of a bitmap, with whatever a DC has queued for it drawn first.
inline gdi::Surface& PixelsOf(const CBitmap& bitmap) {
    gdi::FlushAll();
    return *static_cast<HBITMAP>(bitmap.m_hObject)->surface;
}

// Columns x of row y whose pixel equals value, as a list; only those from .. to when given.
inline std::vector<int> ColumnsWith(const gdi::Surface& s, int y, std::uint32_t value, int from = 0,
                                    int to = INT_MAX) {
    return PositionsWhere(from, std::min(to, s.Width() - 1),
                          [&](int x) { return s.At(x, y) == value; });
}

// Rows y of column x whose pixel equals value; only those from .. to when given.
inline std::vector<int> RowsWith(const gdi::Surface& s, int x, std::uint32_t value, int from = 0,
                                 int to = INT_MAX) {
    return PositionsWhere(from, std::min(to, s.Height() - 1),
                          [&](int y) { return s.At(x, y) == value; });
}

// Every step-th position from from up to to: where evenly spaced lines are expected.
inline std::vector<int> Every(int from, int to, int step) {
    return PositionsWhere(from, to, [&](int i) { return (i - from) % step == 0; });
}

// Run-length summary of a row: "value*count" pairs, e.g. "000000*959 ffffff*1".
inline std::string RowRuns(const gdi::Surface& s, int y) {
    return RunSummary(
        0, s.Width() - 1, [&](int x) { return s.At(x, y); },
        [](std::uint32_t v, int first, int last) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%06x*%d", v, last - first + 1);
            return std::string(buf);
        });
}

// An ASCII picture of a small surface: '#' for white, '.' for black, '?' otherwise.
inline std::string Picture(const gdi::Surface& s) {
    return AsciiPicture(0, 0, s.Width() - 1, s.Height() - 1, [&](int x, int y) {
        const std::uint32_t v = s.At(x, y);
        return v == 0xFFFFFF ? '#' : v == 0 ? '.' : '?';
    });
}

// True when every pixel of the surface has the given value.
inline bool AllEqual(const gdi::Surface& s, std::uint32_t value) {
    return std::all_of(s.Pixels().begin(), s.Pixels().end(),
                       [&](std::uint32_t p) { return p == value; });
}

// True when every channel of p lies between those of a and b: p is a blend of the two.
inline bool Between(std::uint32_t p, std::uint32_t a, std::uint32_t b) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const auto v = (p >> shift) & 0xFF, x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
        if (v < std::min(x, y) || v > std::max(x, y)) {
            return false;
        }
    }
    return true;
}

} // namespace testing_support
