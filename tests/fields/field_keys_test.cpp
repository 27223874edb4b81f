// The keys reach the field patterns: what the screen shows after each press.

#include "field_frames.h"

using namespace fields_test;
using testing_support::AllEqual;

namespace {

// Starts at pattern id, presses the keys in turn and keeps the screen after each.
std::vector<gdi::Surface> Screens(int id, std::initializer_list<UINT> keys, int width = 320,
                                  int height = 200) {
    Session s(width, height);
    std::vector<gdi::Surface> screens;
    s.backend.Run(
        [id] { Session::Main().SetStateForTest(0, TRUE, static_cast<std::uint8_t>(id), 128); });
    for (UINT key : keys) {
        s.backend.KeyDown(key);
        s.backend.Run([&] { screens.push_back(s.Screen()); });
    }
    s.Run();
    return screens;
}

int RunsInRow(const gdi::Surface& s, int y) {
    int runs = 1;
    for (int x = 1; x < s.Width(); ++x) {
        runs += s.At(x, y) != s.At(x - 1, y);
    }
    return runs;
}

TEST(FieldKeys, GrayKeysSetTheSingleLevelAndHTakesTheLabelAway) {
    const auto screens = Screens(29, {'H', VK_UP, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, 'H'});
    EXPECT_TRUE(AllEqual(screens[0], 0x000000));
    EXPECT_TRUE(AllEqual(screens[1], 0x010101));
    EXPECT_TRUE(AllEqual(screens[2], 0x020202));
    EXPECT_TRUE(AllEqual(screens[3], 0x010101));
    EXPECT_TRUE(AllEqual(screens[4], 0x101010)); // Page Up: the next multiple of 16
    EXPECT_TRUE(AllEqual(screens[5], 0x000000));
    ExpectOnlyText(screens[6], screens[5], 0xFFFFFF, ValueLabel({0, 0, 320, 200}, 0));
}

TEST(FieldKeys, LevelPairsFollowTheGrayLevel) {
    const auto up = Screens(33, {'H', VK_UP, VK_PRIOR});
    EXPECT_EQ(up[0].At(0, 0), 0x000000u);
    EXPECT_EQ(up[0].At(160, 0), 0x010101u);
    EXPECT_EQ(up[1].At(159, 199), 0x010101u);
    EXPECT_EQ(up[1].At(160, 199), 0x020202u);
    EXPECT_EQ(up[2].At(0, 0), 0x101010u);
    EXPECT_EQ(up[2].At(319, 0), 0x111111u);
    const auto down = Screens(34, {'H', VK_PRIOR, VK_DOWN});
    EXPECT_EQ(down[0].At(0, 0), 0x010101u); // level 0 clamps to 1 beside 0
    EXPECT_EQ(down[0].At(160, 0), 0x000000u);
    EXPECT_EQ(down[2].At(0, 0), 0x0F0F0Fu);
    EXPECT_EQ(down[2].At(160, 0), 0x0E0E0Eu);
}

TEST(FieldKeys, PageKeysChangeTheStepsAndRingsAndUpChangesTheWedgeLayout) {
    // Page Up halves the count (and raises the level to 16, still even); Page Down doubles it.
    const auto wedge = Screens(13, {'H', VK_PRIOR, VK_PRIOR, VK_PRIOR, VK_NEXT, VK_UP});
    EXPECT_EQ(RunsInRow(wedge[0], 0), 128);
    EXPECT_EQ(RunsInRow(wedge[1], 0), 64);
    EXPECT_EQ(RunsInRow(wedge[2], 0), 32);
    EXPECT_EQ(RunsInRow(wedge[3], 0), 16);
    EXPECT_EQ(RunsInRow(wedge[4], 0), 32);
    EXPECT_EQ(wedge[4].At(0, 199), 0xFFFFFFu); // the falling half below
    EXPECT_EQ(wedge[5].At(0, 199), 0x000000u); // odd level: the rising half fills the height
    // Along the middle row of a 512 x 512 screen: n rings on each side, the centre one shared.
    const auto rings = Screens(30, {'H', VK_PRIOR, VK_PRIOR, VK_PRIOR, VK_PRIOR}, 512, 512);
    EXPECT_EQ(RunsInRow(rings[0], 256), 2 * 128 - 1);
    EXPECT_EQ(RunsInRow(rings[1], 256), 2 * 64 - 1);
    EXPECT_EQ(RunsInRow(rings[3], 256), 2 * 16 - 1);
    EXPECT_EQ(RunsInRow(rings[4], 256), 2 * 8 - 1);
}

} // namespace
