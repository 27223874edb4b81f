#pragma once
// What a DC's selected pen and brush contribute to a filled figure (Rectangle, Ellipse): the
// outline with the pen and the interior with the brush, both through the DC's raster operation.

#include "platform/gdi/dc.h"
#include "platform/gdi/raster.h"

namespace gdi {

struct ShapeStyle {
    bool outline = false;
    long long penWidth = 1;
    RopMasks pen{};
    bool fill = false;
    RopMasks brush{};
};

inline ShapeStyle StyleOf(const DeviceContext& dc) {
    ShapeStyle s;
    if (dc.pen && dc.pen->style != PS_NULL) {
        s.outline = true;
        s.penWidth = dc.pen->width;
        s.pen = MasksFor(dc.rop2, ToPixel(dc.pen->color));
    }
    if (dc.brush && dc.brush->style != BS_NULL) {
        s.fill = true;
        s.brush = MasksFor(dc.rop2, ToPixel(dc.brush->color));
    }
    return s;
}

} // namespace gdi
