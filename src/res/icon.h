#pragma once

#include "platform/windowing/window.h"

namespace res {

// Icon group 128 at 32 x 32 or 16 x 16; null for an unknown id or size.
HICON LoadIcon(int id, int size = 32);

} // namespace res
