// --verify's comparison on the headless window system, whose screen the test can spoil: another
// window in front, a colour change; and the comparison itself for a window that does not cover
// its monitor.

#include "app/screen_check.h"
#include "app/verify_command.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

using testing_support::Session;
using testing_support::SettingsBytes;

struct Result {
    int code = -1;
    std::string out, err;
    std::vector<std::string> lines; // one per frame
};

Result Verify(Session& s) {
    std::ostringstream out, err;
    Result r;
    r.code = RunVerify(out, err);
    r.out = out.str();
    r.err = err.str();
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.find(": ") != std::string::npos && line.rfind("Checking", 0) != 0) {
            r.lines.push_back(line);
        }
    }
    (void)s;
    return r;
}

int Exact(const Result& r) {
    return static_cast<int>(std::count_if(r.lines.begin(), r.lines.end(),
                                          [](const auto& l) { return l.ends_with(": exact"); }));
}

TEST(Verify, EveryFrameOfAnUntouchedScreenIsExact) {
    Session s(320, 240);
    const Result r = Verify(s);
    EXPECT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(r.lines.size(), 44u) << r.out; // the start screen and every pattern
    EXPECT_EQ(Exact(r), 44) << r.out;
    EXPECT_NE(r.out.find("All 44 frames are exact"), std::string::npos) << r.out;
}

TEST(Verify, ChecksThePlaylistAndLeavesTheSettingsFileAsItWas) {
    Session s(200, 100);
    // Patterns 3, 20 and 26 only, the position at the second.
    std::string selection(kPatternCount, '0');
    for (int id : {3, 20, 26}) {
        selection[static_cast<std::size_t>(kPatternCount - 1 - id)] = '1';
    }
    const std::vector<std::uint8_t> bytes = SettingsBytes(1, selection);
    s.WriteSettings(bytes);
    const Result r = Verify(s);
    EXPECT_EQ(r.code, 0) << r.out;
    ASSERT_EQ(r.lines.size(), 4u) << r.out;
    EXPECT_NE(r.lines[1].find("3"), std::string::npos);
    EXPECT_NE(r.lines[3].find("Full red"), std::string::npos) << r.lines[3];
    EXPECT_EQ(s.ReadSettings(), bytes);
}

TEST(Verify, AnotherWindowInFrontIsReportedWithTheValuesOfTheFirstPixels) {
    Session s(320, 240);
    s.backend.SetScreenEffect([](const RECT& area, gdi::Surface& pixels) {
        // A 10 x 5 window at (100, 50) of the monitor, in a colour no pattern has there.
        // The check also reads small probe areas: only what falls inside the area read changes.
        for (int y = std::max<LONG>(50, area.top); y < std::min<LONG>(55, area.bottom); ++y) {
            for (int x = std::max<LONG>(100, area.left); x < std::min<LONG>(110, area.right); ++x) {
                pixels.Set(static_cast<int>(x - area.left), static_cast<int>(y - area.top),
                           0x123456);
            }
        }
    });
    const Result r = Verify(s);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(Exact(r), 0) << r.out;
    ASSERT_FALSE(r.lines.empty());
    const std::string& red = r.lines[27]; // pattern 26, full red
    EXPECT_NE(red.find("50 of 76800 pixels differ: (100, 50) drawn #ff0000 shown #123456"),
              std::string::npos)
        << red;
    EXPECT_NE(r.out.find("44 frames differ"), std::string::npos) << r.out;
}

TEST(Verify, AColourChangeOfTheWindowSystemIsReported) {
    Session s(160, 120);
    s.backend.SetScreenEffect([](const RECT&, gdi::Surface& pixels) {
        // A gamma-like change that keeps black and white.
        for (int y = 0; y < pixels.Height(); ++y) {
            for (int x = 0; x < pixels.Width(); ++x) {
                const std::uint32_t p = pixels.At(x, y);
                const std::uint32_t g = (p >> 8) & 0xFF;
                const std::uint32_t changed = g == 0 || g == 255 ? g : g - 1;
                pixels.Set(x, y, (p & 0xFF00FFu) | (changed << 8));
            }
        }
    });
    const Result r = Verify(s);
    EXPECT_EQ(r.code, 1);
    // Full black and full white pass, a gray field does not.
    EXPECT_TRUE(r.lines[25].ends_with(": exact")) << r.lines[25];
    EXPECT_TRUE(r.lines[26].ends_with(": exact")) << r.lines[26];
    EXPECT_NE(r.lines[22].find("drawn #7f7f7f shown #7f7e7f"), std::string::npos) << r.lines[22];
}

TEST(ScreenCheck, AWindowSmallerThanItsMonitorLeavesPixelsOutsideIt) {
    gdi::Surface drawn, shown;
    drawn.Resize(4, 3, 0x808080);
    shown.Resize(6, 4, 0x808080);
    // The window at (1, 1): the first row, the first column and the last column lie outside.
    const ScreenComparison c = CompareWithScreen(shown, drawn, 1, 1, 2);
    EXPECT_EQ(c.total, 24u);
    EXPECT_EQ(c.differing, 24u - 12u);
    EXPECT_EQ(DescribeComparison(c), "12 of 24 pixels differ: (0, 0) outside the window shown "
                                     "#808080, (1, 0) outside the window shown #808080, ...");
    EXPECT_EQ(DescribeComparison(CompareWithScreen(drawn, drawn, 0, 0)), "exact");
    // A window scaled by two: each pixel shows up twice, so all but the first are off.
    gdi::Surface ramp, scaled;
    ramp.Resize(4, 1);
    scaled.Resize(4, 1);
    for (int x = 0; x < 4; ++x) {
        ramp.Set(x, 0, 0x010101u * static_cast<std::uint32_t>(x));
        scaled.Set(x, 0, 0x010101u * static_cast<std::uint32_t>(x / 2));
    }
    EXPECT_EQ(CompareWithScreen(scaled, ramp, 0, 0).differing, 3u);
}

} // namespace
