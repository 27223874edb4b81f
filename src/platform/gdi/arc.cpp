#include "platform/gdi/dc.h"
#include "platform/gdi/ellipse.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/wide.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace gdi {

namespace {

// Which outline pixels of the circle belong to the arc, by their angle about the centre
// (degrees, counter-clockwise on the screen from +x).
class ArcRange {
  public:
    ArcRange(double start, double sweep)
        : start_(start), sweep_(sweep), full_(std::fabs(sweep) >= 360.0) {}

    bool Full() const { return full_; }

    bool Contains(long long dx, long long dyUp) const {
        if (full_ || (dx == 0 && dyUp == 0)) {
            return true;
        }
        const double angle = std::atan2(static_cast<double>(dyUp), static_cast<double>(dx)) *
                             180.0 / std::numbers::pi;
        return Offset(angle) <= std::fabs(sweep_) + kSlack;
    }

    // How far the angle lies from the start in the sweep's direction, in [0, 360).
    double Offset(double angle) const {
        double d = std::fmod(sweep_ >= 0 ? angle - start_ : start_ - angle, 360.0);
        if (d < 0) {
            d += 360.0;
        }
        return d > 360.0 - kSlack ? 0.0 : d;
    }

  private:
    // Pixels exactly on the start or end ray count as inside despite rounding of the angle.
    static constexpr double kSlack = 1e-9;
    double start_;
    double sweep_;
    bool full_;
};

long long RoundHalfUp(double v) {
    return static_cast<long long>(std::floor(v + 0.5));
}

LONG Saturate(long long v) {
    return static_cast<LONG>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

void OnePixelArc(Surface& s, const RECT& clip, DevicePoint c, long long r, const ArcRange& arc,
                 RopMasks m) {
    if (r == 0) {
        RopSpan(s, clip, c.y, c.x, c.x + 1, m);
        return;
    }
    const DeviceBox box{c.x - r, c.y - r, c.x + r + 1, c.y + r + 1};
    ForEachEllipseRow(box, clip, [&](const EllipseRow& row) {
        for (int i = 0; i < row.runs; ++i) {
            if (arc.Full()) {
                RopSpan(s, clip, row.y, row.run[i][0], row.run[i][1], m);
                continue;
            }
            if (row.y < clip.top || row.y >= clip.bottom) {
                continue;
            }
            const long long x0 = std::max<long long>(row.run[i][0], clip.left);
            const long long x1 = std::min<long long>(row.run[i][1], clip.right);
            for (long long x = x0; x < x1; ++x) {
                if (arc.Contains(x - c.x, c.y - row.y)) {
                    ApplyRop(s.Row(static_cast<int>(row.y))[x], m);
                }
            }
        }
    });
}

// The arc's outline near the clip as polylines of adjacent pixels, for wide pens.
std::vector<std::vector<DevicePoint>> ArcLines(DevicePoint c, long long r, const ArcRange& arc,
                                               const RECT& near) {
    if (r == 0) {
        return {{c}};
    }
    std::vector<std::vector<DevicePoint>> out;
    for (const auto& piece :
         EllipseOutlineIn(DeviceBox{c.x - r, c.y - r, c.x + r + 1, c.y + r + 1}, near)) {
        bool gap = true;
        for (const DevicePoint& p : piece) {
            if (!arc.Contains(p.x - c.x, c.y - p.y)) {
                gap = true;
                continue;
            }
            if (gap) {
                out.emplace_back();
            }
            out.back().push_back(p);
            gap = false;
        }
    }
    return out;
}

} // namespace

} // namespace gdi

BOOL CDC::AngleArc(int x, int y, int radius, float startAngle, float sweepAngle) {
    if (!m_hDC || radius < 0) {
        return FALSE;
    }
    HDC dc = m_hDC;
    const double start = startAngle, sweep = sweepAngle;
    const double toRadians = std::numbers::pi / 180.0;
    const long long r = radius;
    auto pointAt = [&](double degrees) {
        return POINT{gdi::Saturate(x + gdi::RoundHalfUp(r * std::cos(degrees * toRadians))),
                     gdi::Saturate(y - gdi::RoundHalfUp(r * std::sin(degrees * toRadians)))};
    };
    const POINT arcStart = pointAt(start);
    const POINT arcEnd = pointAt(start + sweep);
    const gdi::ArcRange arc(start, sweep);
    const gdi::DevicePoint centre = gdi::ToDevicePoint(dc->windowOrg, x, y);
    gdi::Surface* s = dc->Target();
    const bool pen = dc->pen && dc->pen->style != PS_NULL;
    RECT clip{};
    if (!s || !pen || !gdi::VisibleClip(*s, dc->DeviceClip(), clip)) {
        dc->position = arcEnd;
        return TRUE;
    }
    const gdi::RopMasks masks = gdi::MasksFor(dc->rop2, gdi::ToPixel(dc->pen->color));
    if (dc->pen->width > 1) {
        // The line and the arc are one figure: their overlap is painted once.
        gdi::SpanCollector spans(clip);
        const gdi::DevicePoint from =
            gdi::ToDevicePoint(dc->windowOrg, dc->position.x, dc->position.y);
        const gdi::DevicePoint to = gdi::ToDevicePoint(dc->windowOrg, arcStart.x, arcStart.y);
        gdi::ForEachWideSegmentRow(
            clip, from, to, dc->pen->width,
            [&](long long row, long long x0, long long x1) { spans.Add(row, x0, x1); });
        const RECT near = gdi::InflatedClip(clip, dc->pen->width + 2);
        for (const auto& line : gdi::ArcLines(centre, r, arc, near)) {
            gdi::AddWidePolyline(spans, clip, line, false, dc->pen->width);
        }
        spans.Paint(*s, masks);
    } else {
        LineTo(arcStart);
        gdi::OnePixelArc(*s, clip, centre, r, arc, masks);
    }
    dc->position = arcEnd;
    return TRUE;
}
