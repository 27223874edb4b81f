#include "platform/gdi/ellipse.h"

#include <algorithm>

namespace gdi {

DeviceBox SortedBox(DevicePoint a, DevicePoint b) {
    return DeviceBox{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                     std::max(a.y, b.y)};
}

void WalkEllipseQuadrant(long long w, long long h,
                         const std::function<bool(const QuadrantRun&)>& fn) {
    // Device boxes are up to 2^33 wide, so the error terms need 128 bits.
    using Wide = __int128;
    const Wide a = w - 1, b = h - 1;
    const Wide a8 = 8 * a * a, b8 = 8 * b * b;
    Wide dx = 4 * b * b * (1 - a);
    Wide dy = 4 * a * a * (1 + b % 2);
    Wide err = dx + dy + a * a * (b % 2);
    long long x = w - 1, y = h / 2;
    QuadrantRun run{y, x, x};
    while (x >= w / 2) {
        if (y != run.y) {
            if (!fn(run)) {
                return;
            }
            run = QuadrantRun{y, x, x};
        }
        run.x0 = x;
        const Wide e2 = 2 * err;
        if (e2 >= dx) {
            --x;
            dx += b8;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += a8;
            err += dy;
        }
    }
    if (!fn(run)) {
        return;
    }
    // On tall, thin boxes the method runs out of columns before it reaches the top row; the
    // tip goes on straight up the middle column so that the outline still spans the box.
    for (long long tip = run.y + 1; tip < h; ++tip) {
        if (!fn(QuadrantRun{tip, w / 2, w / 2})) {
            return;
        }
    }
}

void ForEachEllipseRow(const DeviceBox& box, const RECT& clip,
                       const std::function<void(const EllipseRow&)>& fn) {
    const long long l = box.left, t = box.top, w = box.Width(), h = box.Height();
    WalkEllipseQuadrant(w, h, [&](const QuadrantRun& q) {
        const long long upper = t + h - 1 - q.y, lower = t + q.y;
        if (upper < clip.top && lower >= clip.bottom) {
            return false; // the rest lies further out
        }
        EllipseRow row{};
        // The right run is [l + x0, l + x1], its mirror [l + w-1 - x1, l + w-1 - x0]; near the
        // top and bottom they meet and become one run.
        if (2 * q.x0 <= w) {
            row.runs = 1;
            row.run[0][0] = l + w - 1 - q.x1;
            row.run[0][1] = l + q.x1 + 1;
        } else {
            row.runs = 2;
            row.run[0][0] = l + w - 1 - q.x1;
            row.run[0][1] = l + w - q.x0;
            row.run[1][0] = l + q.x0;
            row.run[1][1] = l + q.x1 + 1;
        }
        row.inner0 = l + w - q.x0;
        row.inner1 = l + q.x0;
        row.y = upper;
        fn(row);
        if (lower != upper) {
            row.y = lower;
            fn(row);
        }
        return true;
    });
}

std::vector<DevicePoint> EllipseOutline(const DeviceBox& box) {
    const long long w = box.Width(), h = box.Height();
    std::vector<DevicePoint> quadrant; // right-middle up to the top, in drawing order
    WalkEllipseQuadrant(w, h, [&](const QuadrantRun& run) {
        for (long long x = run.x1; x >= run.x0; --x) {
            quadrant.push_back(DevicePoint{box.left + x, box.top + h - 1 - run.y});
        }
        return true;
    });
    auto mirrorX = [&](DevicePoint p) { return DevicePoint{box.left + box.right - 1 - p.x, p.y}; };
    auto mirrorY = [&](DevicePoint p) { return DevicePoint{p.x, box.top + box.bottom - 1 - p.y}; };
    std::vector<DevicePoint> out;
    out.reserve(quadrant.size() * 4);
    for (auto p : quadrant) { // up the right side to the top
        out.push_back(p);
    }
    for (auto it = quadrant.rbegin(); it != quadrant.rend(); ++it) { // over to the left
        out.push_back(mirrorX(*it));
    }
    for (auto p : quadrant) { // down the left side
        out.push_back(mirrorY(mirrorX(p)));
    }
    for (auto it = quadrant.rbegin(); it != quadrant.rend(); ++it) { // back to the right
        out.push_back(mirrorY(*it));
    }
    return out;
}

} // namespace gdi
