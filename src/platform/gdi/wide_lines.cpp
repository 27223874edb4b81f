#include "platform/gdi/wide.h"

#include <algorithm>
#include <cmath>

namespace gdi {

namespace {

using Wide = __int128;
using Real = long double;

// Far larger than any sensible pen; keeps the exact arithmetic below inside 128 bits.
constexpr long long kMaxWidth = 1LL << 24;
// Larger surfaces are not drawn on with wide pens, for the same reason.
constexpr long long kMaxExtent = 1LL << 26;
// Ends further than this outside the clip are first moved in along the segment.
constexpr long long kFarMargin = 1LL << 26;

long long FloorHalf(Real v) {
    return static_cast<long long>(std::floor(v / 2));
}
long long CeilHalf(Real v) {
    return static_cast<long long>(std::ceil(v / 2));
}

// Cuts the segment down to its part inside box (Liang-Barsky); false when none is left. The
// cut points are rounded to whole pixels, which turns the segment by less than 2^-26 radians:
// only ends tens of millions of pixels away are moved.
bool TrimToBox(DevicePoint& a, DevicePoint& b, Real x0, Real y0, Real x1, Real y1) {
    auto inside = [&](const DevicePoint& p) {
        return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1;
    };
    if (inside(a) && inside(b)) {
        return true;
    }
    const Real dx = static_cast<Real>(b.x - a.x);
    const Real dy = static_cast<Real>(b.y - a.y);
    Real t0 = 0, t1 = 1;
    auto edge = [&](Real p, Real q) {
        if (p == 0) {
            return q >= 0;
        }
        const Real r = q / p;
        if (p < 0) {
            t0 = std::max(t0, r);
        } else {
            t1 = std::min(t1, r);
        }
        return t0 <= t1;
    };
    const Real ax = static_cast<Real>(a.x), ay = static_cast<Real>(a.y);
    if (!edge(-dx, ax - x0) || !edge(dx, x1 - ax) || !edge(-dy, ay - y0) || !edge(dy, y1 - ay)) {
        return false;
    }
    const DevicePoint from = a;
    auto at = [&](Real t) {
        return DevicePoint{from.x + std::llround(t * dx), from.y + std::llround(t * dy)};
    };
    if (t0 > 0) {
        a = at(t0);
    }
    if (t1 < 1) {
        b = at(t1);
    }
    return true;
}

// The segment in doubled coordinates relative to the clip's corner, where pixel (X, Y) has its
// centre at (2X + 1, 2Y + 1) and the pen's radius is its width.
struct Capsule {
    long long ax, ay, bx, by, r;

    bool Covers(long long px, long long py) const {
        const Wide vx = px - ax, vy = py - ay;
        const Wide dx = bx - ax, dy = by - ay;
        const Wide r2 = Wide{r} * r;
        const Wide t = vx * dx + vy * dy;
        const Wide dd = dx * dx + dy * dy;
        if (dd == 0 || t <= 0) {
            return vx * vx + vy * vy <= r2;
        }
        if (t >= dd) {
            const Wide wx = px - bx, wy = py - by;
            return wx * wx + wy * wy <= r2;
        }
        const Wide cross = vx * dy - vy * dx;
        return cross * cross <= r2 * dd;
    }

    // A slightly generous estimate of the covered stretch of the row at height py.
    bool Estimate(long long py, Real& lo, Real& hi) const {
        bool any = false;
        auto unite = [&](Real l, Real h) {
            if (l > h) {
                return;
            }
            lo = any ? std::min(lo, l) : l;
            hi = any ? std::max(hi, h) : h;
            any = true;
        };
        auto disc = [&](long long cx, long long cy) {
            const long long d = py - cy;
            if (d >= -r && d <= r) {
                const Real half = std::sqrt(static_cast<Real>(Wide{r} * r - Wide{d} * d));
                unite(cx - half, cx + half);
            }
        };
        disc(ax, ay);
        disc(bx, by);
        const Real dx = static_cast<Real>(bx - ax), dy = static_cast<Real>(by - ay);
        if (dx != 0 || dy != 0) {
            // Between the two end faces, and within r of the centre line.
            const Real len = std::sqrt(dx * dx + dy * dy);
            const Real ry = static_cast<Real>(py - ay);
            Real l = -INFINITY, h = INFINITY;
            auto band = [&](Real slope, Real offset, Real from, Real to) {
                if (slope == 0) {
                    if (offset < from || offset > to) {
                        l = INFINITY;
                        h = -INFINITY;
                    }
                    return;
                }
                Real u = (from - offset) / slope, v = (to - offset) / slope;
                if (u > v) {
                    std::swap(u, v);
                }
                l = std::max(l, u);
                h = std::min(h, v);
            };
            const Real slack = 1e-12L * (len + 1) * (len + 1); // well above rounding error
            band(dx, ry * dy - static_cast<Real>(ax) * dx, -slack, dx * dx + dy * dy + slack);
            band(dy, -ry * dx - static_cast<Real>(ax) * dy, -r * len - slack, r * len + slack);
            unite(l, h);
        }
        return any;
    }
};

} // namespace

void ForEachWideSegmentRow(const RECT& clip, DevicePoint a, DevicePoint b, long long width,
                           const RowRunFn& fn) {
    if (IsRectEmpty(&clip) || clip.right - static_cast<long long>(clip.left) > kMaxExtent ||
        clip.bottom - static_cast<long long>(clip.top) > kMaxExtent) {
        return;
    }
    width = std::clamp(width, 1LL, kMaxWidth);
    const Real margin = static_cast<Real>(kFarMargin);
    if (!TrimToBox(a, b, clip.left - margin, clip.top - margin, clip.right + margin,
                   clip.bottom + margin)) {
        return;
    }
    const long long cx = clip.left, cy = clip.top;
    const long long odd = width & 1;
    const Capsule c{2 * (a.x - cx) + odd, 2 * (a.y - cy) + odd, 2 * (b.x - cx) + odd,
                    2 * (b.y - cy) + odd, width};

    const long long yTop =
        std::max<long long>(clip.top, cy + FloorHalf(std::min(c.ay, c.by) - c.r - 1));
    const long long yEnd =
        std::min<long long>(clip.bottom, cy + CeilHalf(std::max(c.ay, c.by) + c.r) + 1);
    for (long long y = yTop; y < yEnd; ++y) {
        const long long py = 2 * (y - cy) + 1;
        Real lo, hi;
        if (!c.Estimate(py, lo, hi)) {
            continue;
        }
        // Columns whose centres 2X + 1 lie within [lo - 2, hi + 2], then trimmed exactly.
        long long x0 = std::max<long long>(clip.left, cx + CeilHalf(lo - 3));
        long long x1 = std::min<long long>(clip.right - 1LL, cx + FloorHalf(hi + 1));
        while (x0 <= x1 && !c.Covers(2 * (x0 - cx) + 1, py)) {
            ++x0;
        }
        while (x1 >= x0 && !c.Covers(2 * (x1 - cx) + 1, py)) {
            --x1;
        }
        if (x0 <= x1) {
            fn(y, x0, x1 + 1);
        }
    }
}

void WideLine(Surface& s, const RECT& rawClip, DevicePoint a, DevicePoint b, long long width,
              RopMasks m) {
    RECT clip;
    if (!VisibleClip(s, rawClip, clip)) {
        return;
    }
    // The swept pen is convex: one run per row, so each pixel is painted once.
    ForEachWideSegmentRow(clip, a, b, width, [&](long long y, long long x0, long long x1) {
        RopSpan(s, clip, y, x0, x1, m);
    });
}

RECT InflatedClip(const RECT& clip, long long margin) {
    const LONG m = static_cast<LONG>(std::clamp(margin, 0LL, kMaxWidth + 2));
    return RECT{clip.left - m, clip.top - m, clip.right + m, clip.bottom + m};
}

void AddWidePolyline(SpanCollector& spans, const RECT& clip, const std::vector<DevicePoint>& points,
                     bool closed, long long width) {
    if (points.empty()) {
        return;
    }
    auto add = [&](long long y, long long x0, long long x1) { spans.Add(y, x0, x1); };
    if (points.size() == 1) {
        ForEachWideSegmentRow(clip, points[0], points[0], width, add);
        return;
    }
    // Consecutive steps in the same direction are swept as one segment: the union is the
    // same, and outlines made of single-pixel steps get far fewer segments.
    const std::size_t n = points.size();
    const std::size_t segments = closed ? n : n - 1;
    DevicePoint start = points[0];
    for (std::size_t i = 0; i < segments; ++i) {
        const DevicePoint& p = points[i];
        const DevicePoint& q = points[(i + 1) % n];
        const bool last = i + 1 == segments;
        if (!last) {
            const DevicePoint& r = points[(i + 2) % n];
            const Wide cross = Wide{q.x - p.x} * (r.y - q.y) - Wide{q.y - p.y} * (r.x - q.x);
            const Wide dot = Wide{q.x - p.x} * (r.x - q.x) + Wide{q.y - p.y} * (r.y - q.y);
            if (cross == 0 && dot > 0) {
                continue;
            }
        }
        ForEachWideSegmentRow(clip, start, q, width, add);
        start = q;
    }
}

} // namespace gdi
