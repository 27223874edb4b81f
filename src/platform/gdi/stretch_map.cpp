#include "platform/gdi/stretch_map.h"

namespace gdi {

namespace {

using Wide = __int128;

Wide FloorDiv(Wide n, Wide d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

// The first source index mapped to destination d or beyond when shrinking:
// ceil((2s+1)D / (2S)) - 1 >= d  <=>  (2s+1)D > 2dS  <=>  s >= floor((2dS - D) / (2D)) + 1.
long long FirstSourceOf(long long d, long long src, long long dst) {
    return static_cast<long long>(FloorDiv(Wide{2} * d * src - dst, Wide{2} * dst) + 1);
}

} // namespace

SourceRun MapStretchAxis(long long d, long long src, long long dst) {
    if (dst >= src) {
        const long long s =
            static_cast<long long>(FloorDiv((Wide{2} * d + 1) * src - 1, Wide{2} * dst));
        return SourceRun{s, s + 1};
    }
    return SourceRun{FirstSourceOf(d, src, dst), FirstSourceOf(d + 1, src, dst)};
}

} // namespace gdi
