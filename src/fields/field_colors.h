#pragma once
// Colour helpers shared by the field routines.

#include "platform/base/types.h"

namespace fields {

// The gray of a level: only its low byte counts, so 256 is black again.
constexpr COLORREF Gray(int level) {
    return static_cast<COLORREF>(level & 0xFF) * 0x010101u;
}

} // namespace fields
