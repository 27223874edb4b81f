// A frame too large for the memory left: the program shows black, says so once on standard
// error and carries on; once memory is there again the frames come back.

#include "platform/gdi/out_of_memory.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using testing_support::Session;

namespace {

bool AllBlack(const gdi::Surface& s) {
    return std::all_of(s.Pixels().begin(), s.Pixels().end(),
                       [](std::uint32_t p) { return p == 0; });
}

int Occurrences(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

struct LimitLifted {
    ~LimitLifted() { gdi::LimitPixelAllocationsForTest(0); }
};

TEST(OutOfMemory, FramesThatDoNotFitShowBlackWithOneMessageAndTheProgramGoesOn) {
    LimitLifted lifted;
    Session s(640, 480);
    std::string errors;
    s.backend.KeyDown('5'); // a pattern with white on it
    s.backend.Run([&] {
        ASSERT_FALSE(AllBlack(s.Screen()));
        ::testing::internal::CaptureStderr();
        // Smaller than one frame: the off-screen bitmap of every key cannot be had.
        gdi::LimitPixelAllocationsForTest(640 * 100);
    });
    s.backend.KeyDown(VK_LEFT); // the next pattern
    s.backend.Run([&] {
        EXPECT_EQ(Session::Main().Position(), 6);
        EXPECT_TRUE(AllBlack(s.Screen()));
    });
    s.backend.KeyDown(VK_LEFT);
    s.backend.Expose(RECT{0, 0, 640, 480}); // the start screen by a system paint
    s.backend.Run([&] { EXPECT_TRUE(AllBlack(s.Screen())); });
    // A larger monitor: the window's own surface cannot grow either.
    s.backend.ChangeMonitors({windowing::Monitor{"headless", RECT{0, 0, 800, 600}, 1.0, true}});
    s.backend.KeyDown(VK_LEFT);
    s.backend.Run([&] {
        EXPECT_TRUE(AllBlack(s.Screen()));
        errors = ::testing::internal::GetCapturedStderr();
        gdi::LimitPixelAllocationsForTest(0);
    });
    s.backend.KeyDown(VK_RIGHT); // back to 7, drawn in full again
    s.backend.Run([&] {
        EXPECT_EQ(s.Screen().Width(), 800);
        EXPECT_EQ(s.Screen().Height(), 600);
        EXPECT_FALSE(AllBlack(s.Screen()));
    });
    s.Run();
    EXPECT_EQ(Occurrences(errors, "lumivex: not enough memory"), 1) << errors;
    // The run ended normally and saved its position.
    EXPECT_EQ(s.ReadSettings().at(0), 7);
}

} // namespace
