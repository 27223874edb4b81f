#include "platform/windowing/monitors.h"

#include <gtest/gtest.h>

using windowing::FindMonitor;
using windowing::Monitor;
using windowing::MonitorIndexFromRect;
using windowing::PrimaryMonitorIndex;

namespace {

// A worklist monitor on the left, a portrait diagnostic monitor to its right and lower, a
// third one far away to the right.
const std::vector<Monitor> kDesk = {
    {"DP-1", RECT{0, 0, 1920, 1080}, 1.0, false},
    {"DP-2", RECT{1920, 200, 3968, 2760}, 1.0, true},
    {"DP-3", RECT{6000, 0, 7920, 1080}, 2.0, false},
};

TEST(Monitors, AWindowBelongsToTheMonitorHoldingMostOfIt) {
    EXPECT_EQ(MonitorIndexFromRect(kDesk, RECT{100, 100, 500, 400}), 0);
    // Straddling the border: 120 columns on the left, 380 on the right.
    EXPECT_EQ(MonitorIndexFromRect(kDesk, RECT{1800, 300, 2300, 600}), 1);
    EXPECT_EQ(MonitorIndexFromRect(kDesk, RECT{1700, 300, 2100, 600}), 0);
    // A window touching no monitor goes to the nearest.
    EXPECT_EQ(MonitorIndexFromRect(kDesk, RECT{4200, 0, 4300, 100}), 1);
    EXPECT_EQ(MonitorIndexFromRect(kDesk, RECT{5900, -500, 5950, -400}), 2);
    EXPECT_EQ(MonitorIndexFromRect(kDesk, RECT{-300, -300, -200, -200}), 0);
    // An empty rectangle is a point.
    EXPECT_EQ(MonitorIndexFromRect(kDesk, RECT{2000, 2000, 2000, 2000}), 1);
    EXPECT_EQ(MonitorIndexFromRect({}, RECT{0, 0, 10, 10}), -1);
}

TEST(Monitors, ThePrimaryIsTheMarkedOneElseTheFirst) {
    EXPECT_EQ(PrimaryMonitorIndex(kDesk), 1);
    std::vector<Monitor> unmarked = kDesk;
    unmarked[1].primary = false;
    EXPECT_EQ(PrimaryMonitorIndex(unmarked), 0);
    EXPECT_EQ(PrimaryMonitorIndex({}), -1);
}

TEST(Monitors, AMonitorIsFoundAgainByItsNameAfterAChange) {
    std::vector<Monitor> rotated = kDesk;
    rotated[1].rect = RECT{1920, 0, 4480, 2048};
    EXPECT_EQ(FindMonitor(rotated, kDesk[1]), 1);
    // Unplugged.
    std::vector<Monitor> unplugged = {kDesk[0], kDesk[2]};
    EXPECT_EQ(FindMonitor(unplugged, kDesk[1]), -1);
    // Window systems that name all monitors alike: the one nearest the old place.
    std::vector<Monitor> alike = kDesk;
    for (Monitor& m : alike) {
        m.name = "screen";
    }
    Monitor old = alike[2];
    old.rect = RECT{6100, 0, 8020, 1080};
    EXPECT_EQ(FindMonitor(alike, old), 2);
    EXPECT_EQ(FindMonitor(alike, alike[0]), 0);
}

} // namespace
