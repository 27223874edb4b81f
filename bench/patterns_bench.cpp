// Every pattern and the start screen rendered at 1920 x 1080, 3840 x 2160 and 2048 x 2560, each
// reported with its cost as a multiple of filling the same frame once, measured in the same run:
// with FillSolidRect ("x_fill") and with a plain loop of stores ("x_loop"). The benchmarks of the
// other files (registered statically) run first.

#include "app/mem_dc.h"
#include "store_loop.h"
#include "support/session.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

struct Target {
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
    Target(int w, int h) {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, w, h);
        old = dc.SelectObject(&bitmap);
    }
    ~Target() { dc.SelectObject(old); }
};

double FillNanoseconds(CDC& dc, int w, int h, int rounds) {
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        dc.FillSolidRect(0, 0, w, h, static_cast<COLORREF>(i & 0xFF));
    }
    benchmark::ClobberMemory();
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / rounds;
}

template <class Draw> void Measure(benchmark::State& state, int w, int h, Draw draw) {
    Target target(w, h);
    std::int64_t rounds = 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        draw(&target.dc);
        benchmark::ClobberMemory();
        ++rounds;
    }
    const double drawNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count() /
                          static_cast<double>(std::max<std::int64_t>(rounds, 1));
    const double fillNs = FillNanoseconds(target.dc, w, h, 20);
    state.counters["x_fill"] = drawNs / fillNs;
    gdi::FlushAll();
    state.counters["x_loop"] =
        drawNs / bench_support::StoreLoopNanoseconds(
                     *static_cast<HBITMAP>(target.bitmap.m_hObject)->surface);
}

// Runs the measurement inside a program session on a screen of w x h.
template <class Draw> void InSession(benchmark::State& state, int w, int h, Draw draw) {
    testing_support::Session session(w, h);
    session.backend.Run([&] {
        CLumivexDlg& main = testing_support::Session::Main();
        Measure(state, w, h, [&](CDC* dc) { draw(main, dc); });
    });
    session.Run();
}

// One key press's frame: a DC on the window's surface, the off-screen buffer of its size, the
// pattern drawn into it (pattern 0: the black clear and one line) and the copy back.
void KeyFrame(benchmark::State& state, int w, int h) {
    InSession(state, w, h, [](CLumivexDlg& main, CDC*) {
        main.SetStateForTest(0, TRUE, 0, 128);
        CRect client;
        main.GetClientRect(&client);
        CDC window;
        window.Attach(CreateWindowDC(&main.m_hWnd->surface, client));
        {
            CMemDC memDC(&window);
            main.DrawCurrentPattern(&memDC);
        }
        ::DeleteDC(window.Detach());
    });
}

void RegisterAll() {
    for (auto [w, h] : {std::pair{1920, 1080}, {3840, 2160}, {2048, 2560}}) {
        const std::string size = std::to_string(w) + "x" + std::to_string(h);
        benchmark::RegisterBenchmark(("key_frame/" + size).c_str(), [w = w, h = h](
                                                                        benchmark::State& state) {
            KeyFrame(state, w, h);
        })->Unit(benchmark::kMillisecond);
        for (int id = 0; id < 43; ++id) {
            benchmark::RegisterBenchmark(
                ("pattern/" + std::to_string(id) + "/" + size).c_str(),
                [w = w, h = h, id](benchmark::State& state) {
                    InSession(state, w, h, [id](CLumivexDlg& main, CDC* dc) {
                        main.SetStateForTest(0, TRUE, static_cast<std::uint8_t>(id), 256);
                        main.DrawCurrentPattern(dc);
                    });
                })
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark(("start_screen/" + size).c_str(),
                                     [w = w, h = h](benchmark::State& state) {
                                         InSession(state, w, h, [](CLumivexDlg& main, CDC* dc) {
                                             main.DrawStartScreen(dc);
                                         });
                                     })
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
