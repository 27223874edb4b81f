#include "platform/gdi/image.h"
#include "support/pixels.h"
#include "support/session.h"

#include <gtest/gtest.h>

using testing_support::ColumnsWith;
using testing_support::Every;
using testing_support::RowsWith;
using testing_support::Session;

namespace {

constexpr std::uint32_t kBackground = 0x808080;
constexpr std::uint32_t kGrid = 0xBFBFBF;

// The screen as the program shows it at start-up.
gdi::Surface StartScreen(int width, int height) {
    Session s(width, height);
    gdi::Surface frame;
    s.backend.Run([&] { frame = s.Screen(); });
    s.Run();
    return frame;
}

struct Picture {
    explicit Picture(int id) {
        image.LoadFromResource(AfxGetInstanceHandle(), static_cast<UINT>(id));
        EXPECT_FALSE(image.IsNull()) << id;
    }
    int Width() const { return image.GetWidth(); }
    int Height() const { return image.GetHeight(); }
    std::uint32_t At(int x, int y) const {
        const auto* p = static_cast<const std::uint8_t*>(image.GetBits()) +
                        static_cast<std::ptrdiff_t>(y) * image.GetPitch() + 3 * x;
        return static_cast<std::uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
    }
    CImage image;
};

// The screen shows the picture unscaled with its top-left corner at (x, y), where on screen;
// turned means the half-turned copy, whose top row and left column are black.
void ExpectPictureAt(const gdi::Surface& f, int id, int x0, int y0, bool turned = false) {
    const Picture p(id);
    const int w = p.Width(), h = p.Height();
    for (int y = std::max(0, -y0); y < h && y0 + y < f.Height(); ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint32_t expected = 0;
            if (!turned) {
                expected = p.At(x, y);
            } else if (x > 0 && y > 0) {
                expected = p.At(w - 1 - x, h - 1 - y);
            }
            ASSERT_EQ(f.At(x0 + x, y0 + y), expected)
                << "bitmap " << id << (turned ? " turned" : "") << " at " << x << "," << y;
        }
    }
}

// The backdrop's own colour at each point (x, y).
void ExpectBackgroundAt(const gdi::Surface& f, std::initializer_list<POINT> points) {
    for (const POINT& p : points) {
        EXPECT_EQ(f.At(p.x, p.y), kBackground) << p.x << "," << p.y;
    }
}

bool Backdrop(std::uint32_t v) {
    return v == kBackground || v == kGrid;
}

TEST(StartScreen, SmallClassAt1920x1080) {
    const gdi::Surface f = StartScreen(1920, 1080);
    // Row 200 is clear of every picture: only the vertical grid lines cross it.
    EXPECT_EQ(ColumnsWith(f, 200, kGrid), Every(60, 1860, 100));
    EXPECT_EQ(ColumnsWith(f, 200, kBackground).size(), 1920u - 19u);
    // Column 30 between the corner patches: the horizontal lines at 540 +- 100 k.
    EXPECT_EQ(RowsWith(f, 30, kGrid, 148, 932), Every(240, 840, 100));

    ExpectPictureAt(f, 147, 658, 234);
    ExpectPictureAt(f, 149, 672, 5);
    ExpectPictureAt(f, 148, 5, 5);
    ExpectPictureAt(f, 148, 1727, 933, true);
    ExpectPictureAt(f, 153, 1722, 5);
    ExpectPictureAt(f, 153, 5, 933, true);
    // Just outside the centre picture and the banner.
    ExpectBackgroundAt(
        f, {{657, 500}, {1262, 500}, {1000, 233}, {1000, 946}, {700, 93}, {671, 50}, {1248, 50}});

    // The gray scales: on the right level i in row 412 + i from x = 1771 to 1820, on the left
    // level i in row 668 - i from x = 51 to 99 (the lines' end points excluded).
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t gray = static_cast<std::uint32_t>(i) * 0x010101;
        for (int x = 1771; x <= 1820; ++x) {
            ASSERT_EQ(f.At(x, 412 + i), gray) << "right scale " << x << "," << 412 + i;
        }
        EXPECT_TRUE(Backdrop(f.At(1770, 412 + i)) && Backdrop(f.At(1821, 412 + i))) << i;
        for (int x = 51; x <= 99; ++x) {
            ASSERT_EQ(f.At(x, 668 - i), gray) << "left scale " << x << "," << 668 - i;
        }
        EXPECT_TRUE(Backdrop(f.At(50, 668 - i)) && Backdrop(f.At(100, 668 - i))) << i;
    }
    ExpectBackgroundAt(f, {{1800, 411}, {1800, 668}, {70, 412}, {70, 669}});
}

TEST(StartScreen, LargeClassAt3840x2160) {
    const gdi::Surface f = StartScreen(3840, 2160);
    // Vertical grid every 200 pixels from the middle, horizontal every 100.
    // Row 250 lies between the banner and the centre picture, below the top patches' reach
    // only between x = 385 and 3445.
    EXPECT_EQ(ColumnsWith(f, 250, kGrid, 385, 3444), Every(520, 3320, 200));
    EXPECT_EQ(RowsWith(f, 400, kGrid, 400, 1795), Every(480, 1780, 100));

    ExpectPictureAt(f, 152, 1344, 10);
    ExpectPictureAt(f, 151, 10, 10);
    ExpectPictureAt(f, 151, 3455, 1796, true);
    ExpectPictureAt(f, 154, 3445, 10);
    ExpectPictureAt(f, 154, 10, 1796, true);
    // The 1225-wide centre picture is drawn 1224 wide: its columns 0..610 unchanged, the two
    // middle ones merged, the rest one to the left.
    const Picture centre(150);
    for (int y = 0; y < 1782; y += 3) {
        for (int x = 0; x < 1224; ++x) {
            const std::uint32_t expected = x < 611    ? centre.At(x, y)
                                           : x == 611 ? centre.At(611, y) & centre.At(612, y)
                                                      : centre.At(x + 1, y);
            ASSERT_EQ(f.At(1308 + x, 289 + y), expected) << x << "," << y;
        }
    }
    ExpectBackgroundAt(f, {{1307, 1000}, {2532, 1000}, {2000, 288}, {2000, 2071}});

    // Pens of width 2 with their 2 x 2 end caps: level i covers the rows 823 + 2i and 824 + 2i
    // from x = 3542 to 3643 on the right, the rows 1335 - 2i and 1336 - 2i from x = 99 to 197
    // on the left.
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t gray = static_cast<std::uint32_t>(i) * 0x010101;
        for (int y : {823 + 2 * i, 824 + 2 * i}) {
            EXPECT_TRUE(Backdrop(f.At(3541, y)) && Backdrop(f.At(3644, y))) << y;
            for (int x = 3542; x <= 3643; ++x) {
                ASSERT_EQ(f.At(x, y), gray) << "right scale " << x << "," << y;
            }
        }
        for (int y : {1335 - 2 * i, 1336 - 2 * i}) {
            EXPECT_TRUE(Backdrop(f.At(98, y)) && Backdrop(f.At(198, y))) << y;
            for (int x = 99; x <= 197; ++x) {
                ASSERT_EQ(f.At(x, y), gray) << "left scale " << x << "," << y;
            }
        }
    }
}

TEST(StartScreen, At1024x768TheBannerIsSqueezedAboveTheCentrePicture) {
    const gdi::Surface f = StartScreen(1024, 768);
    // y1 = 78: the banner's 88 rows go into 68 at y = 5, ending five rows above the picture.
    const Picture banner(149);
    const int x2 = 512 - 288;
    EXPECT_EQ(f.At(x2, 5), banner.At(0, 0));
    EXPECT_EQ(f.At(x2 + 575, 72), banner.At(575, 87));
    for (int y = 73; y < 78; ++y) {
        EXPECT_EQ(f.At(x2 + 100, y), kBackground) << y;
    }
    // Each squeezed row is one source row or the AND of two neighbours.
    for (int y = 5; y < 73; ++y) {
        const std::uint32_t v = f.At(x2 + 40, y);
        bool found = false;
        for (int r = 0; r < 88 && !found; ++r) {
            found = v == banner.At(40, r) ||
                    (r + 1 < 88 && v == (banner.At(40, r) & banner.At(40, r + 1)));
        }
        EXPECT_TRUE(found) << y;
    }
    // The centre picture runs off the bottom edge.
    ExpectPictureAt(f, 147, 512 - 302, 78);
}

TEST(StartScreen, At2560x1440TheBannerCoversTheTopOfTheCentrePicture) {
    const gdi::Surface f = StartScreen(2560, 1440);
    // Large class, y1 = -71: the banner is drawn at y = 10, 71 rows high, over the picture.
    const Picture centre(150), banner(152);
    const int x1 = 1280 - 612, x2 = 1280 - 576;
    EXPECT_EQ(f.At(x2, 10), banner.At(0, 0));
    EXPECT_EQ(f.At(x2 + 1151, 80), banner.At(1151, 213));
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(f.At(x2 + 50, y), centre.At(x2 + 50 - x1, y + 71)) << y;
    }
    for (int y = 81; y < 300; ++y) {
        ASSERT_EQ(f.At(x2 + 50, y), centre.At(x2 + 50 - x1, y + 71)) << y;
    }
    // The last row shows the picture's row 1440 + 71 - 1.
    EXPECT_EQ(f.At(x1 + 100, 1439), centre.At(100, 1510));
}

TEST(StartScreen, APartialPaintRedrawsOnlyItsRectangle) {
    Session s(1920, 1080);
    gdi::Surface before, after;
    s.backend.KeyDown('1'); // a test pattern over the start screen
    s.backend.Run([&] { before = s.Screen(); });
    s.backend.Expose(RECT{600, 200, 800, 300});
    s.backend.Run([&] { after = s.Screen(); });
    s.Run();
    const gdi::Surface start = StartScreen(1920, 1080);
    for (int y = 0; y < 1080; ++y) {
        for (int x = 0; x < 1920; ++x) {
            const bool inside = x >= 600 && x < 800 && y >= 200 && y < 300;
            ASSERT_EQ(after.At(x, y), inside ? start.At(x, y) : before.At(x, y)) << x << "," << y;
        }
    }
}

TEST(StartScreen, DegenerateSizesAndTheDcStateSurvive) {
    for (auto [W, H] : {std::pair{0, 0}, {1, 1}, {3, 2}, {200, 150}, {2000, 1049}}) {
        Session s(W, H);
        s.backend.Run([&] {
            const testing_support::Drawn d =
                testing_support::DrawInto(std::max(W, 1), std::max(H, 1),
                                          [](CDC* dc) { Session::Main().DrawStartScreen(dc); });
            EXPECT_EQ(d.after, d.before) << W << "x" << H;
        });
        s.Run();
    }
}

} // namespace
