// Every pattern, the start screen and the selection dialog on screens of odd and extreme sizes,
// in every state that changes what a pattern shows. Each frame is drawn over a poisoned window
// surface: a pixel still holding the poison afterwards was left over from the frame before
// (a second poison tells such a pixel from one a pattern happens to draw in that colour).
//
// The sizes run here keep the sanitizer build within minutes. LUMIVEX_EVERY_SIZE=huge draws the
// two largest sizes under the sanitizers too, in the same states as the others;
// LUMIVEX_EVERY_SIZE=full draws every combination of those states at every size
// (scripts/faults_full.sh).

#include "catalogue/catalogue.h"
#include "platform/windowing/backend.h"
#include "res/resource_ids.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using testing_support::Session;

namespace {

constexpr std::uint32_t kPoisons[] = {0x00A1B2C3u, 0x003C2B1Au};
constexpr int kSideLengths[] = {0, 1, 2, 3, 17, 333, 1024, 2048};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// Which states each pattern is drawn in: one, every value of what changes its frame, or all.
enum class Coverage { Base, Relevant, Every };

std::string EverySizeMode() {
    const char* v = std::getenv("LUMIVEX_EVERY_SIZE");
    return v ? v : "";
}

bool FullRun() {
    return EverySizeMode() == "full";
}

bool HugeRun() {
    return FullRun() || EverySizeMode() == "huge";
}

struct State {
    int gray = 0;
    BOOL labels = TRUE;
    int steps = 128;
};

std::string Describe(int id, const State& st) {
    return "pattern " + std::to_string(id) + " gray " + std::to_string(st.gray) + " steps " +
           std::to_string(st.steps) + (st.labels ? " labels on" : " labels off");
}

void Poison(windowing::Window* w, std::uint32_t poison) {
    gdi::FillPixels(w->surface.Pixels().data(), w->surface.Pixels().size(), poison);
}

// Pixels of the window that still hold the poison; the screen must show what the window holds.
long Leftovers(Session& s, windowing::Window* w, std::uint32_t poison) {
    long count = 0;
    for (std::uint32_t p : w->surface.Pixels()) {
        count += p == poison;
    }
    const gdi::Surface* screen = s.backend.Screen(w);
    if (!w->surface.Empty() && (!screen || screen->Pixels() != w->surface.Pixels())) {
        ADD_FAILURE() << "the screen does not show the window's surface";
    }
    return count;
}

// What a key does: the current pattern drawn again at once.
void PressKey(windowing::Window* w) {
    windowing::ProcessInput(MSG{w, WM_KEYDOWN, VK_SHIFT, 1});
    windowing::ProcessInput(MSG{w, WM_KEYUP, VK_SHIFT, static_cast<LPARAM>(0xC0000001u)});
}

// Which of the gray level, step count and labels change what each pattern shows, measured on a
// screen large enough for every label: the others need not be drawn in each of their values.
struct Dependence {
    bool gray = false, steps = false, labels = false;
};

std::vector<Dependence> MeasureDependence() {
    std::vector<Dependence> out(kPatternCount);
    Session s(640, 480);
    const State variants[] = {{0, TRUE, 128}, {255, TRUE, 128}, {1, TRUE, 128},
                              {0, TRUE, 8},   {0, TRUE, 256},   {0, FALSE, 128}};
    s.backend.Run([&] {
        for (int id = 0; id < kPatternCount; ++id) {
            std::vector<gdi::Surface::PixelVector> f;
            for (const State& st : variants) {
                Session::Main().SetStateForTest(st.gray, st.labels, static_cast<std::uint8_t>(id),
                                                st.steps);
                PressKey(Session::Main().m_hWnd);
                f.push_back(s.Screen().Pixels());
            }
            Dependence& d = out[static_cast<std::size_t>(id)];
            d.gray = f[1] != f[0] || f[2] != f[0];
            d.steps = f[3] != f[0] || f[4] != f[0];
            d.labels = f[5] != f[0];
        }
    });
    s.Run();
    return out;
}

const std::vector<Dependence>& PatternDependence() {
    static const std::vector<Dependence> dependence = MeasureDependence();
    return dependence;
}

// The states to draw pattern id in: every listed value of what the pattern reads, one value of
// the rest.
std::vector<State> StatesOf(int id, Coverage coverage) {
    if (coverage == Coverage::Base) {
        return {State{}};
    }
    const Dependence d = coverage == Coverage::Every
                             ? Dependence{true, true, true}
                             : PatternDependence()[static_cast<std::size_t>(id)];
    std::vector<int> grays = d.gray ? std::vector<int>{0, 1, 254, 255} : std::vector<int>{0};
    std::vector<int> steps = d.steps ? std::vector<int>{8, 256} : std::vector<int>{128};
    std::vector<BOOL> labels = d.labels ? std::vector<BOOL>{TRUE, FALSE} : std::vector<BOOL>{TRUE};
    std::vector<State> out;
    for (int g : grays) {
        for (int st : steps) {
            for (BOOL l : labels) {
                out.push_back(State{g, l, st});
            }
        }
    }
    return out;
}

struct Outcome {
    int frames = 0;
    std::vector<std::string> faults;
};

// What the window system's paint does: the start screen over the whole window.
void SystemPaint(windowing::Window* w) {
    windowing::Invalidate(w, nullptr);
    windowing::DeliverPaint(w);
}

// Draws over a poisoned surface; a second poison settles pixels that kept the first.
void CheckFrame(Session& s, Outcome& outcome, const std::string& what,
                const std::function<void(windowing::Window*)>& draw) {
    windowing::Window* w = Session::Main().m_hWnd;
    long left = 0;
    for (std::uint32_t poison : kPoisons) {
        Poison(w, poison);
        draw(w);
        left = Leftovers(s, w, poison);
        if (left == 0) {
            break;
        }
    }
    ++outcome.frames;
    if (left > 0) {
        outcome.faults.push_back(what + ": " + std::to_string(left) +
                                 " pixels left from the frame before");
    }
}

Outcome DrawEverything(int width, int height, Coverage coverage) {
    Outcome outcome;
    // Measured in a session of its own, before this one starts.
    std::vector<std::vector<State>> states;
    for (int id = 0; id < kPatternCount; ++id) {
        states.push_back(StatesOf(id, coverage));
    }
    Session s(width, height);
    s.backend.Run([&] {
        for (int id = 0; id < kPatternCount; ++id) {
            for (const State& st : states[static_cast<std::size_t>(id)]) {
                Session::Main().SetStateForTest(st.gray, st.labels, static_cast<std::uint8_t>(id),
                                                st.steps);
                CheckFrame(s, outcome, Describe(id, st), PressKey);
            }
        }
        CheckFrame(s, outcome, "start screen", SystemPaint);
    });
    // The selection dialog opens over the last pattern and closes again: the window draws the start
    // screen afresh.
    s.backend.KeyDown(VK_RETURN);
    s.backend.Run([&] {
        if (s.backend.ModalDepth() != 2) {
            outcome.faults.push_back("the selection dialog did not open");
        }
    });
    s.backend.Close(); // its close box: Escape keeps it open
    s.backend.Run([&] {
        if (s.backend.ModalDepth() != 1) {
            outcome.faults.push_back("the selection dialog did not close");
        }
        CheckFrame(s, outcome, "after the selection dialog", SystemPaint);
    });
    s.Run();
    return outcome;
}

void ExpectSound(int width, int height, Coverage coverage) {
    const Outcome outcome = DrawEverything(width, height, coverage);
    EXPECT_GT(outcome.frames, kPatternCount) << width << " x " << height;
    std::printf("%d x %d: %d frames checked\n", width, height, outcome.frames);
    for (const std::string& fault : outcome.faults) {
        ADD_FAILURE() << width << " x " << height << ": " << fault;
    }
}

class EverySize : public ::testing::TestWithParam<int> {};

// Every width against one height per test, so that ctest spreads the sizes over the cores.
TEST_P(EverySize, EveryPatternStartScreenAndDialogDrawEveryPixel) {
    const int height = GetParam();
    for (int width : kSideLengths) {
        ExpectSound(width, height, FullRun() ? Coverage::Every : Coverage::Relevant);
    }
}

INSTANTIATE_TEST_SUITE_P(Heights, EverySize, ::testing::ValuesIn(kSideLengths));

// A frame of 64 or 256 MB takes seconds under the sanitizers: there they run in
// scripts/faults_full.sh, here in the plain build, each pattern in one state.
void ExpectSoundWhenHuge(int width, int height) {
    if (kSanitized && !HugeRun()) {
        GTEST_SKIP() << "huge frames under the sanitizers: LUMIVEX_EVERY_SIZE=huge or full";
    }
    ExpectSound(width, height,
                FullRun() ? Coverage::Every : (HugeRun() ? Coverage::Relevant : Coverage::Base));
}

TEST(HugeSize, EveryPatternAt8192Square) {
    ExpectSoundWhenHuge(8192, 8192);
}

TEST(HugeSize, EveryPatternAt16384x4096) {
    ExpectSoundWhenHuge(16384, 4096);
}

} // namespace
