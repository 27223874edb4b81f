// Drawing costs at 3840 x 2160, each next to the cost of filling the same frame once
// ("fill_ratio": the benchmark's time per iteration over one FillSolidRect of the frame,
// measured in the same run).

#include "measure.h"

#include <benchmark/benchmark.h>

namespace {

using namespace bench_support;

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

void BM_FillFrame(benchmark::State& state) {
    MemoryFrame f(kWidth, kHeight, 0x000000);
    int i = 0;
    MeasureAgainstFrameFill(state, kWidth, kHeight, [&] {
        f.dc.FillSolidRect(0, 0, kWidth, kHeight, (++i & 1) ? 0x202020 : 0x404040);
    });
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_FillFrame)->Unit(benchmark::kMillisecond);

void BM_EllipseOutline2160(benchmark::State& state) {
    // The circle of the grid pattern: diameter = frame height, hollow brush.
    MemoryFrame f(kWidth, kHeight, 0x000000);
    CPen pen(PS_SOLID, 1, 0xFFFFFF);
    f.dc.SelectObject(&pen);
    f.dc.SelectStockObject(NULL_BRUSH);
    MeasureAgainstFrameFill(state, kWidth, kHeight, [&] {
        f.dc.Ellipse(kWidth / 2 - kHeight / 2, 0, kWidth / 2 + kHeight / 2, kHeight);
    });
}
BENCHMARK(BM_EllipseOutline2160)->Unit(benchmark::kMillisecond);

void BM_EllipseFilled2160(benchmark::State& state) {
    MemoryFrame f(kWidth, kHeight, 0x000000);
    CPen pen(PS_SOLID, 1, 0xFFFFFF);
    CBrush brush(0x808080);
    f.dc.SelectObject(&pen);
    f.dc.SelectObject(&brush);
    MeasureAgainstFrameFill(state, kWidth, kHeight, [&] {
        f.dc.Ellipse(kWidth / 2 - kHeight / 2, 0, kWidth / 2 + kHeight / 2, kHeight);
    });
}
BENCHMARK(BM_EllipseFilled2160)->Unit(benchmark::kMillisecond);

void BM_StretchBlt1024ToFrame(benchmark::State& state) {
    MemoryFrame source(1024, 1024, 0x000000);
    auto& pixels = static_cast<HBITMAP>(source.bitmap.m_hObject)->surface->Pixels();
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0x00FFFFFFu;
    }
    MemoryFrame f(kWidth, kHeight, 0x000000);
    MeasureAgainstFrameFill(state, kWidth, kHeight, [&] {
        f.dc.StretchBlt(0, 0, kWidth, kHeight, &source.dc, 0, 0, 1024, 1024, SRCCOPY);
    });
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_StretchBlt1024ToFrame)->Unit(benchmark::kMillisecond);

void BM_StretchBltShrink1225To1224(benchmark::State& state) {
    // The start screen's centre picture at the large size: a one-pixel shrink both ways.
    MemoryFrame source(1225, 1783, 0x000000);
    MemoryFrame f(kWidth, kHeight, 0x000000);
    MeasureAgainstFrameFill(state, kWidth, kHeight, [&] {
        f.dc.StretchBlt(1308, 289, 1224, 1782, &source.dc, 0, 0, 1225, 1783, SRCCOPY);
    });
}
BENCHMARK(BM_StretchBltShrink1225To1224)->Unit(benchmark::kMillisecond);

} // namespace
