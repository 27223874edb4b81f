#include "platform/gdi/dc.h"
#include "platform/gdi/ellipse.h"
#include "platform/gdi/shape_style.h"
#include "platform/gdi/wide.h"

#include <algorithm>

namespace gdi {

namespace {

// Rows [top, bottom) of clip, each with the run [x0, x1).
void FillBlock(Surface& s, const RECT& clip, long long left, long long top, long long right,
               long long bottom, RopMasks m) {
    const long long y0 = std::max<long long>(top, clip.top);
    const long long y1 = std::min<long long>(bottom, clip.bottom);
    for (long long y = y0; y < y1; ++y) {
        RopSpan(s, clip, y, left, right, m);
    }
}

void Column(Surface& s, const RECT& clip, long long x, long long top, long long bottom,
            RopMasks m) {
    if (x < clip.left || x >= clip.right) {
        return;
    }
    const long long y0 = std::max<long long>(top, clip.top);
    const long long y1 = std::min<long long>(bottom, clip.bottom);
    for (long long y = y0; y < y1; ++y) {
        ApplyRop(s.Row(static_cast<int>(y))[x], m);
    }
}

// A wide outline along polylines, with the interior rows filled around it.
void WideFigure(Surface& s, const RECT& clip, const std::vector<std::vector<DevicePoint>>& lines,
                bool closed, const ShapeStyle& style,
                const std::function<void(SpanCollector&)>& fillRows) {
    SpanCollector outline(clip);
    for (const auto& line : lines) {
        AddWidePolyline(outline, clip, line, closed, style.penWidth);
    }
    if (style.fill) {
        fillRows(outline);
    }
    outline.Paint(s, style.pen);
}

void DrawRectangle(Surface& s, const RECT& clip, const DeviceBox& b, const ShapeStyle& style) {
    const long long l = b.left, t = b.top, r = b.right, bt = b.bottom;
    if (!style.outline) {
        // Without a pen the brush fills one pixel less to the right and at the bottom.
        if (style.fill) {
            FillBlock(s, clip, l, t, r - 1, bt - 1, style.brush);
        }
        return;
    }
    if (style.penWidth > 1) {
        const std::vector<DevicePoint> corners{{l, t}, {r - 1, t}, {r - 1, bt - 1}, {l, bt - 1}};
        WideFigure(s, clip, {corners}, true, style, [&](SpanCollector& outline) {
            const long long y0 = std::max<long long>(t, clip.top);
            const long long y1 = std::min<long long>(bt - 1, clip.bottom);
            for (long long y = y0; y < y1; ++y) {
                outline.PaintOutside(s, y, l, r - 1, style.brush);
            }
        });
        return;
    }
    if (style.fill) {
        FillBlock(s, clip, l + 1, t + 1, r - 1, bt - 1, style.brush);
    }
    // The border of [l, r-1] x [t, b-1], each pixel once even when it is one pixel thin.
    RopSpan(s, clip, t, l, r, style.pen);
    if (bt - 1 > t) {
        RopSpan(s, clip, bt - 1, l, r, style.pen);
    }
    Column(s, clip, l, t + 1, bt - 1, style.pen);
    if (r - 1 > l) {
        Column(s, clip, r - 1, t + 1, bt - 1, style.pen);
    }
}

void DrawEllipse(Surface& s, const RECT& clip, const DeviceBox& b, const ShapeStyle& style) {
    if (b.Width() <= 2 || b.Height() <= 2) {
        DrawRectangle(s, clip, b, style);
        return;
    }
    if (style.outline && style.penWidth > 1) {
        // Outline pixels further from the clip than the pen reaches do not matter.
        const RECT near = InflatedClip(clip, style.penWidth + 2);
        WideFigure(s, clip, EllipseOutlineIn(b, near), false, style, [&](SpanCollector& outline) {
            ForEachEllipseRow(b, clip, [&](const EllipseRow& row) {
                outline.PaintOutside(s, row.y, row.run[0][0], row.run[row.runs - 1][1],
                                     style.brush);
            });
        });
        return;
    }
    ForEachEllipseRow(b, clip, [&](const EllipseRow& row) {
        if (!style.outline) {
            // Without a pen the brush covers the outline's pixels too.
            if (style.fill) {
                RopSpan(s, clip, row.y, row.run[0][0], row.run[row.runs - 1][1], style.brush);
            }
            return;
        }
        if (style.fill) {
            RopSpan(s, clip, row.y, row.inner0, row.inner1, style.brush);
        }
        for (int i = 0; i < row.runs; ++i) {
            RopSpan(s, clip, row.y, row.run[i][0], row.run[i][1], style.pen);
        }
    });
}

// Device box of a figure, or false when nothing of it can show.
bool FigureBox(HDC dc, int left, int top, int right, int bottom, Surface*& s, RECT& clip,
               DeviceBox& box) {
    s = dc ? dc->Target() : nullptr;
    if (!s) {
        return false;
    }
    box = SortedBox(ToDevicePoint(dc->windowOrg, left, top),
                    ToDevicePoint(dc->windowOrg, right, bottom));
    if (box.Width() == 0 || box.Height() == 0 || !VisibleClip(*s, dc->DeviceClip(), clip)) {
        return false;
    }
    // A wide pen reaches half its width outside the box.
    const long long reach = dc->pen ? dc->pen->width : 1;
    return box.left - reach < clip.right && box.right + reach > clip.left &&
           box.top - reach < clip.bottom && box.bottom + reach > clip.top;
}

} // namespace

} // namespace gdi

namespace {

// The box of a figure with the DC's pen and brush, drawn by draw where any of it can show.
template <class Draw> BOOL DrawFigure(HDC dc, int left, int top, int right, int bottom, Draw draw) {
    gdi::Surface* s;
    RECT clip;
    gdi::DeviceBox box;
    if (!dc) {
        return FALSE;
    }
    if (gdi::FigureBox(dc, left, top, right, bottom, s, clip, box)) {
        draw(*s, clip, box, gdi::StyleOf(*dc));
    }
    return TRUE;
}

} // namespace

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    return DrawFigure(m_hDC, left, top, right, bottom, gdi::DrawRectangle);
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
    return DrawFigure(m_hDC, left, top, right, bottom, gdi::DrawEllipse);
}
