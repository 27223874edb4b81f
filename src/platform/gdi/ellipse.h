#pragma once
// The outline of Ellipse(l, t, r, b) by the integer "ellipse in a rectangle" method: one
// quadrant is computed and mirrored four ways. Shared by Ellipse and AngleArc.

#include "platform/gdi/raster.h"

#include <functional>
#include <vector>

namespace gdi {

// The box of a figure in device coordinates, corners sorted: [left, right) x [top, bottom).
struct DeviceBox {
    long long left = 0;
    long long top = 0;
    long long right = 0;
    long long bottom = 0;

    long long Width() const { return right - left; }
    long long Height() const { return bottom - top; }
};

DeviceBox SortedBox(DevicePoint a, DevicePoint b);

// The outline's points of one row in the box's top-right quadrant: quadrant coordinates y
// (from h/2 up to h - 1) and x0 ... x1 (inclusive, x0 >= w/2). Quadrant point (x, y) is pixel
// (left + x, top + h - 1 - y); mirroring gives the other three.
struct QuadrantRun {
    long long y;
    long long x0;
    long long x1;
};

// Calls fn for each run of the quadrant of a w x h box (both > 2), in order of increasing y,
// until fn returns false. The walk costs one step per outline pixel of the quadrant. Where the
// method stops short of the top row (boxes about six times taller than wide), the middle
// column is continued up to it, so the outline always reaches all four sides of the box.
void WalkEllipseQuadrant(long long w, long long h,
                         const std::function<bool(const QuadrantRun&)>& fn);

// One row of the outline: one or two disjoint runs [x0, x1), and the interior between them.
struct EllipseRow {
    long long y;
    int runs;
    long long run[2][2];
    long long inner0; // interior [inner0, inner1), empty when inner0 >= inner1
    long long inner1;
};

// Calls fn for the rows of the outline of a box (width and height > 2), each row once, from the
// middle outwards; rows entirely above and below clip end the walk early.
void ForEachEllipseRow(const DeviceBox& box, const RECT& clip,
                       const std::function<void(const EllipseRow&)>& fn);

// The part of the outline lying in area, for pens wider than one pixel: pieces of the closed
// outline, each a polyline of adjacent pixels in order round the curve (counter-clockwise on
// the screen from the rightmost point of the middle row). Points outside area break the
// outline into pieces; a piece that runs through the start continues past it, so an outline
// entirely inside area comes back as one closed polyline.
std::vector<std::vector<DevicePoint>> EllipseOutlineIn(const DeviceBox& box, const RECT& area);

} // namespace gdi
