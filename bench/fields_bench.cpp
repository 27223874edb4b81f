// The heaviest field patterns at 3840 x 2160, each as a multiple of filling the same frame once
// ("x_fill" with FillSolidRect, fills and draws timed alternately in the same run; "x_loop" with
// a plain loop of stores): the diagonal ramp (2048 lines, 256
// pen changes), the 256-step wedge and the 256 concentric rings. "frame" benchmarks go through the
// dispatcher, as a key press does; "routine" ones call the field routine alone on a black frame.

#include "store_loop.h"
#include "support/session.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

using Clock = std::chrono::steady_clock;

double Nanoseconds(Clock::time_point start, std::int64_t rounds) {
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() /
           static_cast<double>(std::max<std::int64_t>(rounds, 1));
}

void Measure(benchmark::State& state, int id, int steps,
             std::function<void(CLumivexDlg&, CDC*)> draw) {
    testing_support::Session session(kWidth, kHeight);
    session.backend.Run([&] {
        CLumivexDlg& main = testing_support::Session::Main();
        main.SetStateForTest(0, TRUE, static_cast<std::uint8_t>(id), steps);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, kWidth, kHeight);
        CBitmap* old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, kWidth, kHeight, 0x000000);

        // Fills and draws alternate, so both see the same machine: it is shared.
        double fillNs = 0, drawNs = 0;
        std::int64_t rounds = 0;
        for (auto _ : state) {
            auto start = Clock::now();
            dc.FillSolidRect(0, 0, kWidth, kHeight, static_cast<COLORREF>(rounds & 0xFF));
            benchmark::ClobberMemory();
            fillNs += Nanoseconds(start, 1);
            start = Clock::now();
            draw(main, &dc);
            benchmark::ClobberMemory();
            drawNs += Nanoseconds(start, 1);
            ++rounds;
        }
        state.counters["x_fill"] = drawNs / std::max(fillNs, 1.0);
        gdi::FlushAll();
        state.counters["x_loop"] =
            drawNs / static_cast<double>(std::max<std::int64_t>(rounds, 1)) /
            bench_support::StoreLoopNanoseconds(*static_cast<HBITMAP>(bitmap.m_hObject)->surface);
        state.counters["draw_ms"] =
            drawNs / 1e6 / static_cast<double>(std::max<std::int64_t>(rounds, 1));
        dc.SelectObject(old);
    });
    session.Run();
}

void Frame(benchmark::State& state, int id, int steps) {
    Measure(state, id, steps, [](CLumivexDlg& main, CDC* dc) { main.DrawCurrentPattern(dc); });
}

void DiagonalRampFrame(benchmark::State& state) {
    Frame(state, 37, 128);
}
void GrayStepsFrame(benchmark::State& state) {
    Frame(state, 13, 256);
}
void CenterGrayFrame(benchmark::State& state) {
    Frame(state, 30, 256);
}

void DiagonalRampRoutine(benchmark::State& state) {
    Measure(state, 37, 128, [](CLumivexDlg& main, CDC* dc) { main.DrawDiagonalRamp(dc); });
}

} // namespace

BENCHMARK(DiagonalRampFrame)
    ->Name("fields/frame/37_diagonal_ramp/3840x2160")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(GrayStepsFrame)
    ->Name("fields/frame/13_gray_steps_256/3840x2160")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CenterGrayFrame)
    ->Name("fields/frame/30_center_gray_256/3840x2160")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DiagonalRampRoutine)
    ->Name("fields/routine/37_diagonal_ramp/3840x2160")
    ->Unit(benchmark::kMillisecond);
void CenterGrayRoutine(benchmark::State& state) {
    Measure(state, 30, 256, [](CLumivexDlg& main, CDC* dc) { main.DrawCenterGray(dc, false); });
}
BENCHMARK(CenterGrayRoutine)
    ->Name("fields/routine/30_center_gray_256/3840x2160")
    ->Unit(benchmark::kMillisecond);
