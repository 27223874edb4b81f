// The heaviest field patterns at 3840 x 2160, each as a multiple of filling the same frame once
// ("x_fill" with FillSolidRect, fills and draws timed alternately in the same run; "x_loop" with
// a plain loop of stores): the diagonal ramp (2048 lines, 256 pen changes), the 256-step wedge
// and the 256 concentric rings. "frame" benchmarks go through the dispatcher, as a key press
// does; "routine" ones call the field routine alone on a black frame.

#include "measure.h"
#include "support/session.h"

#include <benchmark/benchmark.h>

namespace {

using namespace bench_support;

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

struct FieldBenchmark {
    const char* name;
    int id;
    int steps;
    void (*draw)(CLumivexDlg& main, CDC* dc);
};

const FieldBenchmark kBenchmarks[] = {
    {"fields/frame/37_diagonal_ramp/3840x2160", 37, 128,
     [](CLumivexDlg& main, CDC* dc) { main.DrawCurrentPattern(dc); }},
    {"fields/frame/13_gray_steps_256/3840x2160", 13, 256,
     [](CLumivexDlg& main, CDC* dc) { main.DrawCurrentPattern(dc); }},
    {"fields/frame/30_center_gray_256/3840x2160", 30, 256,
     [](CLumivexDlg& main, CDC* dc) { main.DrawCurrentPattern(dc); }},
    {"fields/routine/37_diagonal_ramp/3840x2160", 37, 128,
     [](CLumivexDlg& main, CDC* dc) { main.DrawDiagonalRamp(dc); }},
    {"fields/routine/30_center_gray_256/3840x2160", 30, 256,
     [](CLumivexDlg& main, CDC* dc) { main.DrawCenterGray(dc, false); }},
};

// The draw, on a black frame each time, against the fill that blackens it.
void Measure(benchmark::State& state, const FieldBenchmark& b) {
    testing_support::InWindow(kWidth, kHeight, [&](CLumivexDlg& main) {
        main.SetStateForTest(0, TRUE, static_cast<std::uint8_t>(b.id), b.steps);
        MemoryFrame frame(kWidth, kHeight, 0x000000);
        int fills = 0;
        const auto [fillNanoseconds, drawNanoseconds] = MeanNanoseconds(
            state,
            [&] {
                frame.dc.FillSolidRect(0, 0, kWidth, kHeight,
                                       static_cast<COLORREF>(fills++ & 0xFF));
            },
            [&] { b.draw(main, &frame.dc); });
        ReportAgainstFills(state, frame, drawNanoseconds, fillNanoseconds);
        state.counters["draw_ms"] = drawNanoseconds / 1e6;
    });
}

const bool kRegistered = [] {
    for (const FieldBenchmark& b : kBenchmarks) {
        benchmark::RegisterBenchmark(b.name, [&b](benchmark::State& state) {
            Measure(state, b);
        })->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
