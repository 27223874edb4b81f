#pragma once
// Pens wider than one pixel (PS_SOLID, round caps and joins). The pen of width w swept along a
// segment covers the pixels whose centres lie within w/2 of it, where the segment runs through
// the pixel centres for odd widths and through the pixels' top-left corners for even widths.
// A horizontal segment at row y thus covers rows y - w/2 ... y - w/2 + w - 1, and a width-2
// cap is the 2 x 2 square up and left of its point.

#include "platform/gdi/raster.h"

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace gdi {

// Runs collected row by row and painted as their union, so that the overlapping parts of a
// figure (the segments of a wide outline, their joins) are written once.
class SpanCollector {
  public:
    explicit SpanCollector(const RECT& visibleClip);

    // Adds [x0, x1) on row y; parts outside the clip are dropped.
    void Add(long long y, long long x0, long long x1);
    // Paints the union of everything added.
    void Paint(Surface& s, RopMasks m);
    // Paints the part of [x0, x1) on row y that nothing added covers.
    void PaintOutside(Surface& s, long long y, long long x0, long long x1, RopMasks m);

  private:
    void Merge();
    const std::vector<std::pair<long long, long long>>* RowSpans(long long y);

    RECT clip_;
    std::vector<std::vector<std::pair<long long, long long>>> rows_;
    bool merged_ = true;
};

using RowRunFn = std::function<void(long long y, long long x0, long long x1)>;

// Calls fn once for every row of the clip that the pen of the given width, swept from a to b,
// covers, with the covered run [x0, x1) on that row (columns not yet clipped). A zero-length
// segment is a dot of the pen's size.
void ForEachWideSegmentRow(const RECT& visibleClip, DevicePoint a, DevicePoint b, long long width,
                           const RowRunFn& fn);

// A wide line from a to b, each pixel painted once.
void WideLine(Surface& s, const RECT& clip, DevicePoint a, DevicePoint b, long long width,
              RopMasks m);

// clip grown by margin on every side (a margin far beyond any surface is cut down).
RECT InflatedClip(const RECT& clip, long long margin);

// Adds the pen of the given width along a polyline (closed: back to the first point as well).
void AddWidePolyline(SpanCollector& spans, const RECT& visibleClip,
                     const std::vector<DevicePoint>& points, bool closed, long long width);

} // namespace gdi
