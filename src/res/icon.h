#pragma once

#include "platform/windowing/window.h"

namespace res {

// The program's icon drawn at size x size pixels, size a multiple of 16: the 16-unit design with
// each unit size / 16 pixels wide, so every size shows the same picture without resampling.
IconData MakeIcon(int size);

// Icon group 128 at 32 x 32 or 16 x 16; null for an unknown id or size.
HICON LoadIcon(int id, int size = 32);

} // namespace res
