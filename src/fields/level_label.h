#pragma once

#include "platform/gdi/dc.h"

namespace fields {

// "Level:<steps>" with its top-left corner at (x, y), transparent, in the DC's current text
// colour and font. The background mode is put back afterwards.
void DrawLevelLabel(CDC* dc, int steps, int x, int y);

} // namespace fields
