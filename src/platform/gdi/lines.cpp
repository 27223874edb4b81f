#include "platform/gdi/dc.h"
#include "platform/gdi/raster.h"

#include <algorithm>
#include <cstdlib>

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

void RopSpan(Surface& s, const RECT& clip, int y, int x0, int x1, RopMasks m) {
    if (y < clip.top || y >= clip.bottom) {
        return;
    }
    x0 = std::max(x0, static_cast<int>(clip.left));
    x1 = std::min(x1, static_cast<int>(clip.right));
    if (x0 >= x1) {
        return;
    }
    std::uint32_t* row = s.Row(y);
    if (m.andMask == 0) {
        std::fill(row + x0, row + x1, m.xorMask);
        return;
    }
    for (int x = x0; x < x1; ++x) {
        ApplyRop(row[x], m);
    }
}

namespace {

// ceil(n / d) for d > 0.
long long CeilDiv(long long n, long long d) { return n >= 0 ? (n + d - 1) / d : -((-n) / d); }

// The first and one-past-last step k in [0, n) whose major coordinate origin + dir * k lies in
// [lo, hi).
void StepRange(long long origin, int dir, long long lo, long long hi, long long n, long long& k0,
               long long& k1) {
    if (dir > 0) {
        k0 = std::max(0LL, lo - origin);
        k1 = std::min(n, hi - origin);
    } else {
        k0 = std::max(0LL, origin - (hi - 1));
        k1 = std::min(n, origin - lo + 1);
    }
}

} // namespace

void RopLine(Surface& s, const RECT& rawClip, POINT a, POINT b, RopMasks m) {
    RECT bounds = s.Bounds();
    RECT clip;
    if (!IntersectRect(&clip, &bounds, &rawClip)) {
        return;
    }
    const long long dx = static_cast<long long>(b.x) - a.x;
    const long long dy = static_cast<long long>(b.y) - a.y;
    if (dx == 0 && dy == 0) {
        return;
    }
    if (dy == 0) {
        const long long x0 = dx > 0 ? a.x : static_cast<long long>(b.x) + 1;
        const long long x1 = dx > 0 ? b.x : static_cast<long long>(a.x) + 1;
        RopSpan(s, clip, a.y, static_cast<int>(std::max<long long>(x0, clip.left)),
                static_cast<int>(std::min<long long>(x1, clip.right)), m);
        return;
    }
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long n = xMajor ? std::llabs(dx) : std::llabs(dy);
    const long long minorDelta = xMajor ? dy : dx;
    const int majorDir = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const long long majorOrigin = xMajor ? a.x : a.y;
    const long long minorOrigin = xMajor ? a.y : a.x;
    long long k0, k1;
    if (xMajor) {
        StepRange(majorOrigin, majorDir, clip.left, clip.right, n, k0, k1);
    } else {
        StepRange(majorOrigin, majorDir, clip.top, clip.bottom, n, k0, k1);
    }
    const long long minorLo = xMajor ? clip.top : clip.left;
    const long long minorHi = xMajor ? clip.bottom : clip.right;
    for (long long k = k0; k < k1; ++k) {
        // The minor coordinate is ceil(v - 1/2) of its exact value v on the ideal line.
        const long long minor = minorOrigin + CeilDiv(2 * minorDelta * k - n, 2 * n);
        if (minor < minorLo || minor >= minorHi) {
            continue;
        }
        const long long major = majorOrigin + majorDir * k;
        const int x = static_cast<int>(xMajor ? major : minor);
        const int y = static_cast<int>(xMajor ? minor : major);
        ApplyRop(s.Row(y)[x], m);
    }
}

} // namespace gdi

CPoint CDC::MoveTo(int x, int y) {
    CPoint previous = m_hDC->position;
    m_hDC->position = POINT{x, y};
    return previous;
}

CPoint CDC::GetCurrentPosition() const { return m_hDC->position; }

BOOL CDC::LineTo(int x, int y) {
    HDC dc = m_hDC;
    POINT from = dc->position;
    dc->position = POINT{x, y};
    gdi::Surface* s = dc->Target();
    if (!s || !dc->pen || dc->pen->style == PS_NULL) {
        return TRUE;
    }
    const gdi::RopMasks masks = gdi::MasksFor(dc->rop2, gdi::ToPixel(dc->pen->color));
    gdi::RopLine(*s, dc->DeviceClip(), dc->ToDevice(from.x, from.y), dc->ToDevice(x, y), masks);
    return TRUE;
}
