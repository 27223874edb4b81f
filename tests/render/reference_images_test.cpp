#include "platform/gdi/dib.h"
#include "render/reference_images.h"
#include "res/bitmaps.h"
#include "support/session.h"

#include <gtest/gtest.h>

using testing_support::PatternFrame;
using testing_support::Session;

namespace {

// The gray level of the resource's pixel (x, y), y counted from the top.
struct Resource {
    explicit Resource(int id) {
        const auto* bytes = res::FindBitmapResource(id);
        EXPECT_NE(bytes, nullptr);
        EXPECT_TRUE(bytes && gdi::ParseDib(bytes->data(), bytes->size(), &dib));
    }
    int Gray(int x, int y) const { return dib.Row(y)[x]; }
    gdi::DibView dib;
};

std::uint32_t Gray(int level) {
    return static_cast<std::uint32_t>(level) * 0x010101u;
}

// Enlarging an axis of s source pixels to d: destination pixel i shows the source pixel nearest
// its centre, the lower one on a tie: floor((2i + 1) s / 2d - 1/2) rounded up at .5 boundaries.
int EnlargedSource(int i, int s, int d) {
    return static_cast<int>((static_cast<long long>(2 * i + 1) * s - 1) / (2LL * d));
}

TEST(ReferenceImages, PortraitVersionsOnlyOnPortraitScreensWiderThan2000) {
    struct Case {
        int W, H, qc, afc, ad;
    };
    for (const Case& c : {Case{1920, 1080, 130, 133, 129}, Case{2048, 2560, 135, 137, 136},
                          Case{2560, 2048, 130, 133, 129}, Case{1600, 2560, 130, 133, 129},
                          Case{2001, 2002, 135, 137, 136}, Case{2000, 2560, 130, 133, 129},
                          Case{2100, 2100, 130, 133, 129}}) {
        EXPECT_EQ(render::ReferenceImageId(14, c.W, c.H), c.qc) << c.W << "x" << c.H;
        EXPECT_EQ(render::ReferenceImageId(15, c.W, c.H), c.afc) << c.W << "x" << c.H;
        EXPECT_EQ(render::ReferenceImageId(16, c.W, c.H), c.ad) << c.W << "x" << c.H;
    }
}

TEST(ReferenceImages, QcStretchedTo1920x1080TakesTheNearestSourcePixel) {
    const gdi::Surface f = PatternFrame(1920, 1080, 14);
    const Resource qc(130);
    ASSERT_EQ(qc.dib.width, 1024);
    for (int y = 0; y < 1080; ++y) {
        const int sy = EnlargedSource(y, 1024, 1080);
        for (int x = 0; x < 1920; ++x) {
            ASSERT_EQ(f.At(x, y), Gray(qc.Gray(EnlargedSource(x, 1024, 1920), sy)))
                << x << "," << y;
        }
    }
    // By 1.875 across: source columns 0..7 fill destination columns 0..14.
    EXPECT_EQ(EnlargedSource(14, 1024, 1920), 7);
    EXPECT_EQ(EnlargedSource(15, 1024, 1920), 8);
}

TEST(ReferenceImages, AfcOnAPortrait2048x2560ScreenIsCopiedPixelForPixel) {
    const gdi::Surface f = PatternFrame(2048, 2560, 15);
    const Resource afc(137);
    ASSERT_EQ(afc.dib.width, 2048);
    ASSERT_EQ(afc.dib.height, 2560);
    for (int y = 0; y < 2560; ++y) {
        for (int x = 0; x < 2048; ++x) {
            ASSERT_EQ(f.At(x, y), Gray(afc.Gray(x, y))) << x << "," << y;
        }
    }
}

TEST(ReferenceImages, LandscapeAndNarrowPortraitScreensStretchTheSquareVersion) {
    for (auto [W, H, id, resource] :
         {std::array{2560, 2048, 16, 129}, std::array{1600, 2560, 15, 133}}) {
        const gdi::Surface f = PatternFrame(W, H, id);
        const Resource image(resource);
        for (int y = 0; y < H; y += 7) {
            for (int x = 0; x < W; x += 3) {
                ASSERT_EQ(f.At(x, y),
                          Gray(image.Gray(EnlargedSource(x, 1024, W), EnlargedSource(y, 1024, H))))
                    << W << "x" << H << " at " << x << "," << y;
            }
        }
    }
}

TEST(ReferenceImages, ShrinkingOnASmallScreenAndsTheMergedPixels) {
    // 1024 -> 640 x 360: a fresh DC shrinks black-on-white, so merged source pixels are ANDed.
    const gdi::Surface f = PatternFrame(640, 360, 16);
    const Resource ad(129);
    auto firstSource = [](int d, int S, int D) {
        // The first source pixel s that maps to d, where s maps to ceil((2s + 1) D / 2S) - 1.
        int s = static_cast<int>(static_cast<long long>(d) * S / D);
        while (s > 0 && ((2LL * (s - 1) + 1) * D + 2LL * S - 1) / (2LL * S) - 1 >= d) {
            --s;
        }
        while (((2LL * s + 1) * D + 2LL * S - 1) / (2LL * S) - 1 < d) {
            ++s;
        }
        return s;
    };
    for (int y = 0; y < 360; y += 5) {
        const int y0 = firstSource(y, 1024, 360), y1 = firstSource(y + 1, 1024, 360);
        for (int x = 0; x < 640; x += 3) {
            const int x0 = firstSource(x, 1024, 640), x1 = firstSource(x + 1, 1024, 640);
            int level = 255;
            for (int sy = y0; sy < (y == 359 ? 1024 : y1); ++sy) {
                for (int sx = x0; sx < (x == 639 ? 1024 : x1); ++sx) {
                    level &= ad.Gray(sx, sy);
                }
            }
            ASSERT_EQ(f.At(x, y), Gray(level)) << x << "," << y;
        }
    }
}

TEST(ReferenceImages, DegenerateClientsAndTheDcStateSurvive) {
    for (auto [W, H] : {std::pair{1, 1}, {0, 0}, {3, 2000}, {2001, 2002}}) {
        Session s(W, H);
        s.backend.Run([&] {
            CLumivexDlg& main = Session::Main();
            for (int id = 14; id <= 16; ++id) {
                main.SetStateForTest(0, TRUE, static_cast<std::uint8_t>(id), 128);
                const testing_support::Drawn d = testing_support::DrawInto(
                    std::max(W, 1), std::max(H, 1), [&](CDC* dc) { main.DrawCurrentPattern(dc); });
                EXPECT_EQ(d.after, d.before) << W << "x" << H << " pattern " << id;
            }
        });
        s.Run();
    }
}

} // namespace
