// Figure and box patterns whose drawing is still being built draw nothing.

#include "render/patterns.h"

namespace render {

void DrawGridFigure(const Frame&) {}
void DrawAlignmentFigure(const Frame&) {}
void DrawCenterBox(const Frame&) {}
void DrawNineBoxes(const Frame&) {}
void DrawThreeBoxes(const Frame&) {}
void DrawFiveBoxes(const Frame&) {}

} // namespace render
