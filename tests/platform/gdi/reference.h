#pragma once
// Slow reference rasterisers written straight from the drawing rules, in a different form from
// the fast code: the fast paths are checked against these on many random cases.

#include "canvas.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace gdi_test {

// A one-pixel line by the Bresenham form of the rule: the error starts at 2*minor - major,
// and the minor coordinate steps when error + bias > 0, with bias 1 in octants 3, 5, 6 and 8
// (numbered clockwise from +x, y pointing down).
inline std::vector<Pixel> ReferenceLine(int x0, int y0, int x1, int y1) {
    std::vector<Pixel> out;
    const int dx = x1 - x0, dy = y1 - y0;
    const int adx = std::abs(dx), ady = std::abs(dy);
    const bool xMajor = adx >= ady;
    const int major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    int octant;
    if (dx >= 0 && dy >= 0) {
        octant = xMajor ? 1 : 2;
    } else if (dx < 0 && dy >= 0) {
        octant = xMajor ? 4 : 3;
    } else if (dx < 0) {
        octant = xMajor ? 5 : 6;
    } else {
        octant = xMajor ? 8 : 7;
    }
    const int bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
    const int sx = dx >= 0 ? 1 : -1, sy = dy >= 0 ? 1 : -1;
    int err = 2 * minor - major;
    int x = x0, y = y0;
    for (int k = 0; k < major; ++k) {
        out.emplace_back(x, y);
        if (err + bias > 0) {
            if (xMajor) {
                y += sy;
            } else {
                x += sx;
            }
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        if (xMajor) {
            x += sx;
        } else {
            y += sy;
        }
    }
    return out;
}

// The outline of Ellipse(l, t, r, b) with sorted corners as the rule states it: the quadrant
// points of the integer method mirrored four ways (boxes of width or height <= 2 are
// rectangles). On boxes about six times taller than wide the method stops before the top row;
// the rule's extremes (rows t and b - 1) are then kept by going on straight up the middle
// column, as the tip completion of the method's author does.
inline PixelSet ReferenceEllipse(long long l, long long t, long long r, long long b) {
    PixelSet out;
    const long long w = r - l, h = b - t;
    if (w <= 0 || h <= 0) {
        return out;
    }
    auto put = [&](long long x, long long y) { out.insert({int(x), int(y)}); };
    if (w <= 2 || h <= 2) {
        for (long long x = l; x < r; ++x) {
            put(x, t);
            put(x, b - 1);
        }
        for (long long y = t; y < b; ++y) {
            put(l, y);
            put(r - 1, y);
        }
        return out;
    }
    const long long a = w - 1, B = h - 1;
    long long x = a, y = h / 2;
    long long dx = 4 * B * B * (1 - a), dy = 4 * a * a * (1 + B % 2);
    long long err = dx + dy + a * a * (B % 2);
    auto mirrored = [&](long long qx, long long qy) {
        const long long X = l + qx, Y = t + h - 1 - qy;
        put(X, Y);
        put(l + r - 1 - X, Y);
        put(X, t + b - 1 - Y);
        put(l + r - 1 - X, t + b - 1 - Y);
    };
    long long top = y;
    while (x >= w / 2) {
        mirrored(x, y);
        top = y;
        const long long e2 = 2 * err;
        if (e2 >= dx) {
            x -= 1;
            dx += 8 * B * B;
            err += dx;
        }
        if (e2 <= dy) {
            y += 1;
            dy += 8 * a * a;
            err += dy;
        }
    }
    for (long long tip = top + 1; tip < h; ++tip) {
        mirrored(w / 2, tip);
    }
    return out;
}

// The pen of width w as a set: pixels whose centre lies within w/2 of the segment, which runs
// through pixel centres for odd w and through pixel corners for even w.
inline PixelSet ReferenceWideLine(double x0, double y0, double x1, double y1, int w, int width,
                                  int height) {
    const double o = (w % 2) ? 0.5 : 0.0;
    x0 += o, y0 += o, x1 += o, y1 += o;
    PixelSet out;
    const long double dx = x1 - x0, dy = y1 - y0, dd = dx * dx + dy * dy;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const long double px = x + 0.5L, py = y + 0.5L;
            long double t = dd == 0 ? 0 : ((px - x0) * dx + (py - y0) * dy) / dd;
            t = std::clamp(t, 0.0L, 1.0L);
            const long double ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
            if (ex * ex + ey * ey <= w * w / 4.0L) {
                out.insert({x, y});
            }
        }
    }
    return out;
}

inline PixelSet Within(const PixelSet& pixels, int width, int height) {
    PixelSet out;
    for (const auto& p : pixels) {
        if (p.first >= 0 && p.first < width && p.second >= 0 && p.second < height) {
            out.insert(p);
        }
    }
    return out;
}

} // namespace gdi_test
