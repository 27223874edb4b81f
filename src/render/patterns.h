#pragma once
// The patterns the dispatcher draws itself: lines, figures, boxes and reference images. Each
// leaves the DC's pen, brush and raster operation as it found them.

#include "platform/gdi/dc.h"

namespace render {

struct Frame {
    CDC* dc;
    int W; // client width
    int H; // client height
    CPen* whitePen;
    CPen* blackPen;
};

// Patterns 0-6: single-pixel vertical lines at the edges, or on every even column.
void DrawEdgeLines(const Frame& f, int id);
// Pattern 7: one-pixel checkerboard with a white frame.
void DrawPixelChecker(const Frame& f);
// Pattern 8: frame, grid, centre rectangle and a circle as high as the screen.
void DrawGridFigure(const Frame& f);
// Pattern 19: diagonals, centre lines, three circles and nine nested rectangles.
void DrawAlignmentFigure(const Frame& f);
// Patterns 9-12: white boxes.
void DrawCenterBox(const Frame& f);
void DrawNineBoxes(const Frame& f);
void DrawThreeBoxes(const Frame& f);
void DrawFiveBoxes(const Frame& f);
// Patterns 14-16: a TG18 reference image stretched over the client area.
void DrawReferenceImage(const Frame& f, int id);
// The bitmap resource pattern id (14-16) shows on a W x H client area; 0 for other ids.
int ReferenceImageId(int id, int W, int H);

} // namespace render
