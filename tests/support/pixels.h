#pragma once
// Helpers that let pixel tests read as the statements they prove.

#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"

#include <cstdio>
#include <string>
#include <vector>

namespace testing_support {

// The pixels of a bitmap, with whatever a DC has queued for it drawn first.
inline const gdi::Surface& PixelsOf(const CBitmap& bitmap) {
    gdi::FlushAll();
    return *static_cast<HBITMAP>(bitmap.m_hObject)->surface;
}

// Columns x of row y whose pixel equals value, as a list.
inline std::vector<int> ColumnsWith(const gdi::Surface& s, int y, std::uint32_t value) {
    std::vector<int> xs;
    for (int x = 0; x < s.Width(); ++x) {
        if (s.At(x, y) == value) {
            xs.push_back(x);
        }
    }
    return xs;
}

// Rows y of column x whose pixel equals value.
inline std::vector<int> RowsWith(const gdi::Surface& s, int x, std::uint32_t value) {
    std::vector<int> ys;
    for (int y = 0; y < s.Height(); ++y) {
        if (s.At(x, y) == value) {
            ys.push_back(y);
        }
    }
    return ys;
}

// Run-length summary of a row: "value x count" pairs, e.g. "000000x959 ffffffx1".
inline std::string RowRuns(const gdi::Surface& s, int y) {
    std::string out;
    int x = 0;
    while (x < s.Width()) {
        const std::uint32_t v = s.At(x, y);
        int n = 0;
        while (x < s.Width() && s.At(x, y) == v) {
            ++x;
            ++n;
        }
        char buf[32];
        std::snprintf(buf, sizeof buf, "%s%06x*%d", out.empty() ? "" : " ", v, n);
        out += buf;
    }
    return out;
}

// An ASCII picture of a small surface: '#' for white, '.' for black, '?' otherwise.
inline std::string Picture(const gdi::Surface& s) {
    std::string out;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            const std::uint32_t v = s.At(x, y);
            out += v == 0xFFFFFF ? '#' : v == 0 ? '.' : '?';
        }
        out += '\n';
    }
    return out;
}

// True when every pixel of the surface has the given value.
inline bool AllEqual(const gdi::Surface& s, std::uint32_t value) {
    for (std::uint32_t p : s.Pixels()) {
        if (p != value) {
            return false;
        }
    }
    return true;
}

} // namespace testing_support
