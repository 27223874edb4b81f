#pragma once
// A second yardstick next to FillSolidRect: filling the frame once with a plain loop of 32-bit
// stores. FillSolidRect goes through the C library's fill, which on many machines writes whole
// lines without reading them in first and is several times faster than stores from a loop;
// ratios against both show how much of a frame's cost is memory traffic.

#include "platform/gdi/surface.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace bench_support {

// Nanoseconds for one store-loop fill of s: the best of rounds.
inline double StoreLoopNanoseconds(gdi::Surface& s, int rounds = 10) {
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        const std::uint32_t value = 0x00102030u + static_cast<std::uint32_t>(r);
        const auto start = std::chrono::steady_clock::now();
        for (int y = 0; y < s.Height(); ++y) {
            std::uint32_t* row = s.Row(y);
            for (int x = 0; x < s.Width(); ++x) {
                row[x] = value;
            }
            benchmark::DoNotOptimize(row);
        }
        benchmark::ClobberMemory();
        best = std::min(
            best, std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start)
                      .count());
    }
    return best;
}

} // namespace bench_support
