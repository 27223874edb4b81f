#pragma once
// How the benchmarks time their work: the work once per iteration, reported next to a yardstick
// measured in the same run, the cost of filling the same frame once, so that the ratios can be
// compared across machines and runs. Two yardsticks: FillSolidRect, which goes through the C
// library's fill (on many machines it writes whole lines without reading them in first and is
// several times faster than stores from a loop), and a plain loop of 32-bit stores. Ratios
// against both show how much of a frame's cost is memory traffic.

#include "platform/gdi/dc.h"
#include "support/memory_frame.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <utility>

namespace bench_support {

using Clock = std::chrono::steady_clock;
using testing_support::MemoryFrame;

inline double NanosecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
}

// Runs the steps in turn once per iteration of state, each timed on its own, and returns each
// step's mean nanoseconds per iteration. Steps timed together alternate, so that all of them
// see the same machine: it is shared.
template <class... Steps>
std::array<double, sizeof...(Steps)> MeanNanoseconds(benchmark::State& state, Steps&&... steps) {
    std::array<double, sizeof...(Steps)> total{};
    auto timed = [](auto& step) {
        const auto start = Clock::now();
        step();
        benchmark::ClobberMemory();
        return NanosecondsSince(start);
    };
    for (auto _ : state) {
        std::size_t i = 0;
        ((total[i++] += timed(steps)), ...);
    }
    for (double& t : total) {
        t /= static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    }
    return total;
}

// Nanoseconds per call of work(i): the best of rounds rounds of calls calls each, i counting the
// calls from 0.
template <class Work> double BestNanoseconds(int rounds, int calls, Work work) {
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        const auto start = Clock::now();
        for (int i = 0; i < calls; ++i) {
            work(r * calls + i);
        }
        benchmark::ClobberMemory();
        best = std::min(best, NanosecondsSince(start) / calls);
    }
    return best;
}

// Nanoseconds for one FillSolidRect of dc's width x height frame: the best of rounds means of
// calls fills.
inline double FillNanoseconds(CDC& dc, int width, int height, int rounds, int calls) {
    return BestNanoseconds(rounds, calls, [&](int i) {
        dc.FillSolidRect(0, 0, width, height, static_cast<COLORREF>(i & 0xFF));
    });
}

// The same on a fresh frame of its own, measured once per size in a run.
inline double FreshFrameFillNanoseconds(int width, int height) {
    static std::map<std::pair<int, int>, double> measured;
    auto [it, added] = measured.try_emplace({width, height}, 0.0);
    if (added) {
        MemoryFrame frame(width, height, 0x000000);
        it->second = FillNanoseconds(frame.dc, width, height, 7, 10);
    }
    return it->second;
}

// Nanoseconds for filling s once with a plain loop of 32-bit stores: the best of ten.
inline double StoreLoopNanoseconds(gdi::Surface& s) {
    return BestNanoseconds(10, 1, [&](int round) {
        const std::uint32_t value = 0x00102030u + static_cast<std::uint32_t>(round);
        for (int y = 0; y < s.Height(); ++y) {
            std::uint32_t* row = s.Row(y);
            for (int x = 0; x < s.Width(); ++x) {
                row[x] = value;
            }
            benchmark::DoNotOptimize(row);
        }
    });
}

// Times body once per iteration and reports "fill_ratio": its mean time over the yardstick's.
// Returns the mean nanoseconds of body.
template <class Body>
double MeasureAgainst(benchmark::State& state, double yardstickNanoseconds, Body&& body) {
    const auto [nanoseconds] = MeanNanoseconds(state, body);
    state.counters["fill_ratio"] = nanoseconds / yardstickNanoseconds;
    return nanoseconds;
}

// The same with one fill of a fresh width x height frame as the yardstick.
template <class Body>
double MeasureAgainstFrameFill(benchmark::State& state, int width, int height, Body&& body) {
    return MeasureAgainst(state, FreshFrameFillNanoseconds(width, height), body);
}

// Reports a draw into frame that took drawNanoseconds as multiples of filling the frame once:
// "x_fill" over fillNanoseconds, "x_loop" over a loop of stores measured now.
inline void ReportAgainstFills(benchmark::State& state, MemoryFrame& frame, double drawNanoseconds,
                               double fillNanoseconds) {
    state.counters["x_fill"] = drawNanoseconds / std::max(fillNanoseconds, 1e-9);
    state.counters["x_loop"] = drawNanoseconds / StoreLoopNanoseconds(frame.Pixels());
}

} // namespace bench_support
