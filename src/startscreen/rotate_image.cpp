#include "startscreen/rotate_image.h"

#include <cmath>
#include <cstdint>

namespace {

// Truncation toward zero; values no int can hold (from an infinite or NaN angle) come out as -1,
// which every bounds test rejects.
int Trunc(double v) {
    if (!(v > -2147483648.0 && v < 2147483648.0)) {
        return -1;
    }
    return static_cast<int>(v);
}

} // namespace

void RotateImage(const CImage& src, CImage& dst, double angle) {
    const int w = src.GetWidth();
    const int h = src.GetHeight();
    const int srcBytes = src.GetBPP() / 8;
    if (src.IsNull() || (srcBytes != 1 && srcBytes != 3 && srcBytes != 4)) {
        return;
    }
    // The caller promises a matching destination; one that does not match would be written past
    // its end, so it is made anew instead.
    if (!dst.IsNull() && (dst.GetWidth() != w || dst.GetHeight() != h || dst.GetBPP() != 24)) {
        dst.Destroy();
    }
    if (dst.IsNull()) {
        dst.Create(w, h, 24);
    }

    // The angle goes through 3.14, not pi, and the sine, cosine and offsets through single
    // precision; the per-pixel sums are in double.
    const double theta = angle * 3.14 / 180.0;
    const float cf = static_cast<float>(std::cos(theta));
    const float sf = static_cast<float>(std::sin(theta));
    const double a = (w - 1) * 0.5;
    const double b = (h - 1) * 0.5;
    const float e1 = static_cast<float>(a - (sf * b + cf * a));
    const float e2 = static_cast<float>(b + (a * sf - cf * b));

    const auto* srcTop = static_cast<const std::uint8_t*>(src.GetBits());
    const int srcPitch = src.GetPitch();
    auto* dstTop = static_cast<std::uint8_t*>(dst.GetBits());
    const int dstPitch = dst.GetPitch();
    for (int y = 0; y < h; ++y) {
        std::uint8_t* out = dstTop + static_cast<std::ptrdiff_t>(y) * dstPitch;
        const auto fy = static_cast<float>(y);
        for (int x = 0; x < w; ++x) {
            const auto fx = static_cast<float>(x);
            const int r =
                Trunc(((static_cast<double>(fy) * cf - static_cast<double>(fx) * sf) + e2) + 0.5);
            const int k =
                Trunc(((static_cast<double>(fx) * cf + static_cast<double>(fy) * sf) + e1) + 0.5);
            std::uint8_t* px = out + 3 * x;
            if (r >= 0 && r <= h - 2 && k >= 0 && k <= w - 2) {
                const std::uint8_t* in =
                    srcTop + static_cast<std::ptrdiff_t>(r) * srcPitch + k * srcBytes;
                if (srcBytes == 1) {
                    px[0] = px[1] = px[2] = in[0];
                } else {
                    px[0] = in[0];
                    px[1] = in[1];
                    px[2] = in[2];
                }
            } else {
                px[0] = px[1] = px[2] = 0;
            }
        }
    }
}
