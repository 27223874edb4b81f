// Generating the TG18 reference images, as the resource registry does on first use (generate,
// then pack into the stored bitmap form), each next to the cost of filling a frame of the same
// size once ("fill_ratio", measured in the same run). The budget for all six together is
// 200 ms; "ms" reports the mean time per generation.

#include "measure.h"
#include "res/dib_pack.h"
#include "res/tg18.h"

#include <benchmark/benchmark.h>

namespace {

using bench_support::BestNanoseconds;
using res::Tg18Size;

// Nanoseconds for one fill of an 8-bit frame of the image's size: the best of several rounds.
double GrayFillNanoseconds(Tg18Size size) {
    auto measure = [](int width, int height) {
        res::GrayImage frame(width, height, 0);
        return BestNanoseconds(7, 10, [&](int i) {
            frame.FillBox(0, 0, width - 1, height - 1, static_cast<std::uint8_t>(i));
            benchmark::DoNotOptimize(frame.Row(0));
        });
    };
    static const double square = measure(1024, 1024);
    static const double portrait = measure(2048, 2560);
    return size == Tg18Size::Square1024 ? square : portrait;
}

res::GrayDibFields Fields(Tg18Size size) {
    return size == Tg18Size::Square1024 ? res::GrayDibFields{2834, 1048578}
                                        : res::GrayDibFields{0, 5242880};
}

// Runs body once per iteration against the fills; reports also the mean time in "ms".
template <class Body> void Measure(benchmark::State& state, double fillNanoseconds, Body body) {
    const double mean = bench_support::MeasureAgainst(state, fillNanoseconds, body);
    state.counters["ms"] = mean / 1e6;
}

template <res::GrayImage (*Make)(Tg18Size)> void BM_Generate(benchmark::State& state) {
    const auto size = static_cast<Tg18Size>(state.range(0));
    Measure(state, GrayFillNanoseconds(size), [&] {
        auto bytes = res::PackGrayDib(Make(size), Fields(size));
        benchmark::DoNotOptimize(bytes.data());
    });
}
BENCHMARK(BM_Generate<res::MakeTg18Qc>)
    ->Name("Tg18Qc")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generate<res::MakeTg18Afc>)
    ->Name("Tg18Afc")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generate<res::MakeTg18Ad>)
    ->Name("Tg18Ad")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// All six, against filling each of the six frames once.
void BM_AllSixTg18(benchmark::State& state) {
    const double fills = 3 * (GrayFillNanoseconds(Tg18Size::Square1024) +
                              GrayFillNanoseconds(Tg18Size::Portrait2048x2560));
    Measure(state, fills, [] {
        for (Tg18Size size : {Tg18Size::Square1024, Tg18Size::Portrait2048x2560}) {
            for (auto make : {res::MakeTg18Qc, res::MakeTg18Afc, res::MakeTg18Ad}) {
                auto bytes = res::PackGrayDib(make(size), Fields(size));
                benchmark::DoNotOptimize(bytes.data());
            }
        }
    });
}
BENCHMARK(BM_AllSixTg18)->Unit(benchmark::kMillisecond);

} // namespace
