// Drawing costs at 3840 x 2160, each next to the cost of filling the same frame once
// ("fill_ratio": the benchmark's time per iteration over one FillSolidRect of the frame,
// measured in the same run).

#include "platform/gdi/dc.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

struct Frame {
    explicit Frame(int width = kWidth, int height = kHeight) {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, width, height);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, 0x000000);
    }
    CBitmap bitmap;
    CDC dc;
};

using Clock = std::chrono::steady_clock;

// Seconds for one fill of the whole frame: the best of several rounds.
double FillSeconds() {
    static const double seconds = [] {
        Frame f;
        double best = 1e9;
        for (int round = 0; round < 7; ++round) {
            const auto t0 = Clock::now();
            for (int i = 0; i < 10; ++i) {
                f.dc.FillSolidRect(0, 0, kWidth, kHeight, i & 1 ? 0x202020 : 0x404040);
            }
            benchmark::DoNotOptimize(f.bitmap.m_hObject);
            best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count() / 10);
        }
        return best;
    }();
    return seconds;
}

// Runs body once per iteration and reports its time as a multiple of one frame fill.
template <class Body> void Measure(benchmark::State& state, Body body) {
    double total = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        body();
        total += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    state.counters["fill_ratio"] = total / static_cast<double>(state.iterations()) / FillSeconds();
}

void BM_FillFrame(benchmark::State& state) {
    Frame f;
    int i = 0;
    Measure(state,
            [&] { f.dc.FillSolidRect(0, 0, kWidth, kHeight, (++i & 1) ? 0x202020 : 0x404040); });
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_FillFrame)->Unit(benchmark::kMillisecond);

void BM_EllipseOutline2160(benchmark::State& state) {
    // The circle of the grid pattern: diameter = frame height, hollow brush.
    Frame f;
    CPen pen(PS_SOLID, 1, 0xFFFFFF);
    f.dc.SelectObject(&pen);
    f.dc.SelectStockObject(NULL_BRUSH);
    Measure(state,
            [&] { f.dc.Ellipse(kWidth / 2 - kHeight / 2, 0, kWidth / 2 + kHeight / 2, kHeight); });
}
BENCHMARK(BM_EllipseOutline2160)->Unit(benchmark::kMillisecond);

void BM_EllipseFilled2160(benchmark::State& state) {
    Frame f;
    CPen pen(PS_SOLID, 1, 0xFFFFFF);
    CBrush brush(0x808080);
    f.dc.SelectObject(&pen);
    f.dc.SelectObject(&brush);
    Measure(state,
            [&] { f.dc.Ellipse(kWidth / 2 - kHeight / 2, 0, kWidth / 2 + kHeight / 2, kHeight); });
}
BENCHMARK(BM_EllipseFilled2160)->Unit(benchmark::kMillisecond);

void BM_StretchBlt1024ToFrame(benchmark::State& state) {
    Frame source(1024, 1024);
    auto& pixels = static_cast<HBITMAP>(source.bitmap.m_hObject)->surface->Pixels();
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0x00FFFFFFu;
    }
    Frame f;
    Measure(state,
            [&] { f.dc.StretchBlt(0, 0, kWidth, kHeight, &source.dc, 0, 0, 1024, 1024, SRCCOPY); });
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_StretchBlt1024ToFrame)->Unit(benchmark::kMillisecond);

void BM_StretchBltShrink1225To1224(benchmark::State& state) {
    // The start screen's centre picture at the large size: a one-pixel shrink both ways.
    Frame source(1225, 1783);
    Frame f;
    Measure(state,
            [&] { f.dc.StretchBlt(1308, 289, 1224, 1782, &source.dc, 0, 0, 1225, 1783, SRCCOPY); });
}
BENCHMARK(BM_StretchBltShrink1225To1224)->Unit(benchmark::kMillisecond);

} // namespace
