#include "platform/gdi/surface.h"

#include "platform/gdi/out_of_memory.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <memory>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gdi {

namespace {

// Blocks from 1 MB up are worth keeping; two of them cover a frame buffer and a picture loaded
// for it.
constexpr std::size_t kKeepFrom = std::size_t{1} << 18;

// Pixel blocks above this many pixels fail, for tests; 0 for no limit.
std::atomic<std::size_t> pixelLimitForTest{0};

// Set once the thread's spares are gone, for surfaces that outlive them at exit.
thread_local bool sparesGone = false;

struct Spares {
    struct Block {
        std::uint32_t* p = nullptr;
        std::size_t n = 0;
    };
    Block blocks[2];
    ~Spares() {
        sparesGone = true;
        for (Block& b : blocks) {
            std::allocator<std::uint32_t>().deallocate(b.p, b.n);
        }
    }
};

Spares& ThreadSpares() {
    thread_local Spares spares;
    return spares;
}

} // namespace

void LimitPixelAllocationsForTest(std::size_t maxPixels) {
    pixelLimitForTest = maxPixels;
}

std::uint32_t* AllocatePixels(std::size_t n) {
    if (const std::size_t limit = pixelLimitForTest; limit != 0 && n > limit) {
        throw std::bad_alloc();
    }
    if (n >= kKeepFrom && !sparesGone) {
        for (Spares::Block& b : ThreadSpares().blocks) {
            if (b.p && b.n == n) {
                return std::exchange(b.p, nullptr);
            }
        }
    }
    return std::allocator<std::uint32_t>().allocate(n);
}

void FreePixels(std::uint32_t* p, std::size_t n) noexcept {
    if (p && n >= kKeepFrom && !sparesGone) {
        // The newest block goes first; the oldest is the one given back.
        Spares::Block* blocks = ThreadSpares().blocks;
        std::swap(blocks[1], blocks[0]);
        std::swap(blocks[0].p, p);
        std::swap(blocks[0].n, n);
    }
    if (p) {
        std::allocator<std::uint32_t>().deallocate(p, n);
    }
}

Surface::Surface(int width, int height, std::uint32_t fill) {
    Resize(width, height, fill);
}

void Surface::Resize(int width, int height, std::uint32_t fill) {
    // A new block from the system is zeros already: clearing it to black again would only write
    // every page once more.
    if (!Reallocate(width, height) || fill != 0) {
        FillPixels(pixels_.data(), pixels_.size(), fill);
    }
}

void Surface::ResizeForOverwrite(int width, int height) {
    Reallocate(width, height);
}

bool Surface::Reallocate(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const std::size_t n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    bool zeros = false;
    if (n > pixels_.capacity()) {
        // Growing need not carry the old pixels over; the new block comes from the same store.
        // Should it not fit, the surface is left empty rather than claiming a size its pixels
        // do not have.
        PixelVector(pixels_.get_allocator()).swap(pixels_);
        width_ = height_ = 0;
        pixels_.resize(n); // default-initialised: no clearing pass
        zeros = Store() && Store()->TakeZeros(pixels_.data());
    } else {
        pixels_.resize(n);
    }
    width_ = width;
    height_ = height;
    return zeros;
}

void Surface::SetPixelStore(PixelStore* store) {
    if (store == Store()) {
        return;
    }
    PixelVector moved(PixelAllocator{store});
    moved.assign(pixels_.begin(), pixels_.end());
    pixels_ = std::move(moved); // the old block goes back to its own store
}

void StreamPixels(std::uint32_t* dst, const std::uint32_t* src, std::size_t n) {
#if defined(__SSE2__)
    // Up to a 16-byte boundary one by one, then a cache line per round, then the rest.
    while (n > 0 && (reinterpret_cast<std::uintptr_t>(dst) & 15u) != 0) {
        *dst++ = *src++;
        --n;
    }
    for (; n >= 16; n -= 16, dst += 16, src += 16) {
        const auto* in = reinterpret_cast<const __m128i*>(src);
        auto* out = reinterpret_cast<__m128i*>(dst);
        const __m128i a = _mm_loadu_si128(in);
        const __m128i b = _mm_loadu_si128(in + 1);
        const __m128i c = _mm_loadu_si128(in + 2);
        const __m128i d = _mm_loadu_si128(in + 3);
        _mm_stream_si128(out, a);
        _mm_stream_si128(out + 1, b);
        _mm_stream_si128(out + 2, c);
        _mm_stream_si128(out + 3, d);
    }
    for (; n >= 4; n -= 4, dst += 4, src += 4) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(dst),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(src)));
    }
    std::copy_n(src, n, dst);
#else
    std::memcpy(dst, src, n * sizeof(std::uint32_t));
#endif
}

void EndStreaming() {
#if defined(__SSE2__)
    _mm_sfence();
#endif
}

bool WorthStreaming(long long w, long long h) {
    // 8 MiB: beyond the last level of cache a core can count on having to itself.
    constexpr long long kBytes = 8ll << 20;
    return w > 0 && h > 0 && w * h * static_cast<long long>(sizeof(std::uint32_t)) >= kBytes;
}

void FillPixels(std::uint32_t* p, std::size_t n, std::uint32_t pixel) {
    // The C library's fills store whole lines without reading them in first, several times as
    // fast as a loop of stores on a frame that does not fit the cache.
    if constexpr (sizeof(wchar_t) == sizeof(std::uint32_t)) {
        std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(pixel), n);
    } else {
        std::fill(p, p + n, pixel);
    }
}

// Spans shorter than this (in pixels) are filled by a loop of stores rather than the C library:
// below a few cache lines its line-writing fill has nothing to gain over plain stores.
constexpr std::size_t kShortSpan = 64;

void FillRect(Surface& s, const RECT& clip, RECT r, std::uint32_t pixel) {
    RECT bounds = s.Bounds();
    RECT area;
    if (!IntersectRect(&area, &bounds, &clip) || !IntersectRect(&area, &area, &r)) {
        return;
    }
    const std::size_t width = static_cast<std::size_t>(area.right - area.left);
    if (area.left == 0 && area.right == s.Width()) {
        // Whole rows lie back to back: one block.
        FillPixels(s.Row(area.top), width * static_cast<std::size_t>(area.bottom - area.top),
                   pixel);
        return;
    }
    if (width < kShortSpan) {
        // Tall narrow rectangles (steps of a wedge, the sides of a ring) are thousands of short
        // spans: a call into the C library for each costs more than the stores themselves.
        for (int y = area.top; y < area.bottom; ++y) {
            std::fill_n(s.Row(y) + area.left, width, pixel);
        }
        return;
    }
    for (int y = area.top; y < area.bottom; ++y) {
        FillPixels(s.Row(y) + area.left, width, pixel);
    }
}

} // namespace gdi
