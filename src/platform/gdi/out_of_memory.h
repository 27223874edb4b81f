#pragma once
// A frame too large for the memory at hand is shown black instead of ending the program: the
// allocation that fails is caught where a bitmap or a window surface is made, and the operator
// is told once, on standard error, why the screen stays black.

#include <cstddef>

namespace gdi {

// Says that a width x height picture did not fit in memory; only the first call of the process
// writes.
void ReportOutOfMemory(int width, int height);

// Tests provoke a failed allocation: pixel blocks of more than maxPixels throw std::bad_alloc
// from then on (0 lifts the limit).
void LimitPixelAllocationsForTest(std::size_t maxPixels);

} // namespace gdi
