#include "platform/gdi/dc.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/wide.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace gdi {

RopMasks MasksFor(int rop2, std::uint32_t penPixel) {
    // The mode's truth table: bit (2P + D) of (rop2 - 1) is the result for pen bit P and
    // destination bit D.
    const unsigned table = static_cast<unsigned>(rop2 - 1) & 0xF;
    const std::uint32_t all = 0x00FFFFFFu;
    auto bit = [&](int i) { return ((table >> i) & 1u) ? all : 0u; };
    const std::uint32_t x0 = bit(0), a0 = bit(0) ^ bit(1); // pen bit 0
    const std::uint32_t x1 = bit(2), a1 = bit(2) ^ bit(3); // pen bit 1
    const std::uint32_t p = penPixel & all;
    return RopMasks{(p & a1) | (~p & a0 & all), (p & x1) | (~p & x0 & all)};
}

bool VisibleClip(const Surface& s, const RECT& clip, RECT& out) {
    RECT bounds = s.Bounds();
    return IntersectRect(&out, &bounds, &clip) != FALSE;
}

void RopSpan(Surface& s, const RECT& clip, long long y, long long x0, long long x1, RopMasks m) {
    if (y < clip.top || y >= clip.bottom || y < 0 || y >= s.Height()) {
        return;
    }
    x0 = std::max({x0, static_cast<long long>(clip.left), 0LL});
    x1 = std::min({x1, static_cast<long long>(clip.right), static_cast<long long>(s.Width())});
    if (x0 >= x1) {
        return;
    }
    std::uint32_t* row = s.Row(static_cast<int>(y));
    if (m.andMask == 0) {
        FillPixels(row + x0, static_cast<std::size_t>(x1 - x0), m.xorMask);
        return;
    }
    for (long long x = x0; x < x1; ++x) {
        ApplyRop(row[x], m);
    }
}

namespace {

using Wide = __int128;

// floor(n / d) for d > 0.
Wide FloorDiv(Wide n, Wide d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

// The first k in [lo, hi) for which pred holds, where pred is false up to some k and true from
// there on; hi if it never holds.
template <class Pred> long long FirstTrue(long long lo, long long hi, Pred pred) {
    while (lo < hi) {
        const long long mid = lo + (hi - lo) / 2;
        if (pred(mid)) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

// The steps k in [0, n) whose major coordinate origin + dir * k lies in [lo, hi).
void MajorRange(long long origin, int dir, long long lo, long long hi, long long n, long long& k0,
                long long& k1) {
    if (dir > 0) {
        k0 = std::max(0LL, lo - origin);
        k1 = std::min(n, hi - origin);
    } else {
        k0 = std::max(0LL, origin - (hi - 1));
        k1 = std::min(n, origin - lo + 1);
    }
}

void VerticalRun(Surface& s, const RECT& clip, long long x, long long y0, long long y1,
                 RopMasks m) {
    if (x < clip.left || x >= clip.right) {
        return;
    }
    y0 = std::max(y0, static_cast<long long>(clip.top));
    y1 = std::min(y1, static_cast<long long>(clip.bottom));
    for (long long y = y0; y < y1; ++y) {
        ApplyRop(s.Row(static_cast<int>(y))[x], m);
    }
}

// The incremental walk of a line of count pixels from p. For a rising minor coordinate rem
// drops by step each pixel and the minor coordinate advances when it goes below zero; a falling
// one is counted mirrored, so that the test is the same.
template <class Put>
void StepLine(std::uint32_t* p, long long count, long long rem, long long step, long long period,
              std::ptrdiff_t majorStep, std::ptrdiff_t minorStep, Put put) {
    for (long long k = 1;; ++k) {
        put(*p);
        if (k == count) {
            return; // no step past the last pixel, which may be the surface's last
        }
        p += majorStep;
        rem -= step;
        if (rem < 0) {
            rem += period;
            p += minorStep;
        }
    }
}

} // namespace

void RopLine(Surface& s, const RECT& rawClip, DevicePoint a, DevicePoint b, RopMasks m) {
    RECT clip;
    if (!VisibleClip(s, rawClip, clip)) {
        return;
    }
    const long long dx = b.x - a.x;
    const long long dy = b.y - a.y;
    if (dx == 0 && dy == 0) {
        return;
    }
    // Axis-parallel lines are runs; the start is lit and the end is not, whichever the
    // direction.
    if (dy == 0) {
        RopSpan(s, clip, a.y, dx > 0 ? a.x : b.x + 1, dx > 0 ? b.x : a.x + 1, m);
        return;
    }
    if (dx == 0) {
        VerticalRun(s, clip, a.x, dy > 0 ? a.y : b.y + 1, dy > 0 ? b.y : a.y + 1, m);
        return;
    }
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long n = xMajor ? std::llabs(dx) : std::llabs(dy);
    const long long delta = xMajor ? dy : dx; // signed change of the minor coordinate
    const int dir = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const long long majorOrigin = xMajor ? a.x : a.y;
    const long long minorOrigin = xMajor ? a.y : a.x;
    const long long majorLo = xMajor ? clip.left : clip.top;
    const long long majorHi = xMajor ? clip.right : clip.bottom;
    const long long minorLo = xMajor ? clip.top : clip.left;
    const long long minorHi = xMajor ? clip.bottom : clip.right;

    // At step k the minor coordinate is ceil(v - 1/2) of its exact value v = origin + delta*k/n,
    // that is origin + ceil((2*delta*k - n) / (2n)). It is monotonic in k, so the visible steps
    // form one range, found by bisection in both axes without walking the hidden ones.
    const Wide twoN = Wide{2} * n;
    auto minorAt = [&](long long k) {
        return minorOrigin - FloorDiv(Wide{n} - Wide{2} * delta * k, twoN);
    };
    long long k0, k1;
    MajorRange(majorOrigin, dir, majorLo, majorHi, n, k0, k1);
    if (k0 >= k1) {
        return;
    }
    if (delta > 0) {
        k0 = FirstTrue(k0, k1, [&](long long k) { return minorAt(k) >= minorLo; });
        k1 = FirstTrue(k0, k1, [&](long long k) { return minorAt(k) >= minorHi; });
    } else {
        k0 = FirstTrue(k0, k1, [&](long long k) { return minorAt(k) < minorHi; });
        k1 = FirstTrue(k0, k1, [&](long long k) { return minorAt(k) < minorLo; });
    }
    if (k0 >= k1) {
        return;
    }

    // From k0 on, step incrementally: rem is how far the rounded value lies above the exact
    // one, in units of 1/(2n), always in [0, 2n).
    const Wide num0 = Wide{2} * delta * k0 - n;
    const Wide q0 = -FloorDiv(-num0, twoN);
    long long minor = static_cast<long long>(minorOrigin + q0);
    long long rem = static_cast<long long>(q0 * twoN - num0);
    const long long step = 2 * std::llabs(delta);
    const long long period = 2 * n;
    const long long major = majorOrigin + dir * k0;
    const long long x = xMajor ? major : minor;
    const long long y = xMajor ? minor : major;
    // Walk by pointer: every step moves one pixel along the major axis, some also one along the
    // minor axis.
    const std::ptrdiff_t across = s.Width();
    const std::ptrdiff_t majorStep = xMajor ? dir : dir * across;
    const std::ptrdiff_t minorSign = delta > 0 ? 1 : -1;
    const std::ptrdiff_t minorStep = xMajor ? minorSign * across : minorSign;
    std::uint32_t* p = s.Row(static_cast<int>(y)) + x;
    if (delta < 0) { // count the remainder the other way, so that both directions step alike
        rem = period - 1 - rem;
    }
    if (m.andMask == 0) {
        StepLine(p, k1 - k0, rem, step, period, majorStep, minorStep,
                 [v = m.xorMask](std::uint32_t& d) { d = v; });
    } else {
        StepLine(p, k1 - k0, rem, step, period, majorStep, minorStep,
                 [m](std::uint32_t& d) { ApplyRop(d, m); });
    }
}

namespace {

RopMasks PenMasks(const DeviceContext& dc) {
    return MasksFor(dc.rop2, ToPixel(dc.pen->color));
}

void NoStroke(DeviceContext&, DevicePoint, DevicePoint) {}

// A one-pixel pen. Vertical and 45-degree lines go to the DC's line queue, already clipped; any
// other line is drawn at once by the grid-intersection rule.
void ThinStroke(DeviceContext& dc, DevicePoint a, DevicePoint b) {
    const RopMasks masks = PenMasks(dc);
    const long long dx = b.x - a.x, dy = b.y - a.y;
    if (dx == 0 && dy != 0) {
        // The start is lit and the end is not, whichever the direction.
        const RECT clip = dc.DeviceClip();
        const long long y0 = std::max<long long>(dy > 0 ? a.y : b.y + 1, clip.top);
        const long long y1 = std::min<long long>(dy > 0 ? b.y : a.y + 1, clip.bottom);
        if (a.x >= clip.left && a.x < clip.right && y0 < y1) {
            dc.lines.AddVerticalRun(static_cast<int>(a.x), static_cast<int>(y0),
                                    static_cast<int>(y1), masks);
        }
        return;
    }
    if (dx != 0 && (dx == dy || dx == -dy)) {
        // A 45-degree line lights (a.x + sx k, a.y + sy k) for 0 <= k < |dx|, exactly; the
        // steps whose pixel is inside the clip form one range.
        const RECT clip = dc.DeviceClip();
        const long long n = std::llabs(dx);
        const long long sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
        long long k0, k1, j0, j1;
        MajorRange(a.x, static_cast<int>(sx), clip.left, clip.right, n, k0, k1);
        MajorRange(a.y, static_cast<int>(sy), clip.top, clip.bottom, n, j0, j1);
        k0 = std::max(k0, j0);
        k1 = std::min(k1, j1);
        if (k0 < k1) {
            const long long yFirst = a.y + sy * k0, yLast = a.y + sy * (k1 - 1);
            const int slope = static_cast<int>(sx * sy);
            dc.lines.AddDiagonal(slope, a.x - slope * a.y,
                                 static_cast<int>(std::min(yFirst, yLast)),
                                 static_cast<int>(std::max(yFirst, yLast) + 1), masks);
        }
        return;
    }
    if (Surface* s = dc.Target()) {
        RopLine(*s, dc.DeviceClip(), a, b, masks);
    }
}

void WideStroke(DeviceContext& dc, DevicePoint a, DevicePoint b) {
    if (Surface* s = dc.Target()) {
        WideLine(*s, dc.DeviceClip(), a, b, dc.pen->width, PenMasks(dc));
    }
}

} // namespace

void DeviceContext::SetPen(HPEN next) {
    AddSelection(next);
    DropSelection(std::exchange(pen, next));
    if (!pen || pen->style == PS_NULL) {
        stroke = NoStroke;
    } else if (pen->width <= 1) {
        stroke = ThinStroke;
    } else {
        stroke = WideStroke;
    }
}

} // namespace gdi

CPoint CDC::MoveTo(int x, int y) {
    return std::exchange(m_hDC->position, POINT{x, y});
}

CPoint CDC::GetCurrentPosition() const {
    return m_hDC->position;
}

BOOL CDC::LineTo(int x, int y) {
    HDC dc = m_hDC;
    const POINT from = std::exchange(dc->position, POINT{x, y});
    dc->stroke(*dc, gdi::ToDevicePoint(dc->windowOrg, from.x, from.y),
               gdi::ToDevicePoint(dc->windowOrg, x, y));
    return TRUE;
}
