#pragma once
// A 32-bit pixel surface: one uint32_t per pixel, 0x00RRGGBB, rows top-down, no padding.
// This is the memory layout of a top-down 32-bit DIB and of QImage::Format_RGB32.

#include "platform/base/types.h"

#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace gdi {

// Pixel memory. Large blocks freed are kept for the next request of the same size: every frame
// allocates its off-screen buffer anew, and a fresh block of that size would be mapped from the
// system and faulted in page by page each time.
std::uint32_t* AllocatePixels(std::size_t n);
void FreePixels(std::uint32_t* p, std::size_t n) noexcept;

// Memory for a surface's pixels from elsewhere than the heap: shared memory that the window
// system reads a frame from directly, without a copy of its own.
class PixelStore {
  public:
    virtual std::uint32_t* AllocatePixels(std::size_t n) = 0;
    virtual void FreePixels(std::uint32_t* p, std::size_t n) noexcept = 0;
    // Whether the block at p, just allocated, holds zeros (memory fresh from the system), so
    // that a surface need not clear it; answered once per block.
    virtual bool TakeZeros(const std::uint32_t* /*p*/) noexcept { return false; }

  protected:
    ~PixelStore() = default;
};

// The allocator of surface pixels: from a surface's store when it has one, else from the heap.
// Its value-initialisation leaves pixels uninitialised, so that a surface about to be overwritten
// whole is not cleared first.
struct PixelAllocator {
    using value_type = std::uint32_t;
    // Memory goes back to where it came from: the store moves with the pixels it holds.
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;
    template <class U> struct rebind {
        static_assert(std::is_same_v<U, std::uint32_t>);
        using other = PixelAllocator;
    };
    PixelStore* store = nullptr;

    std::uint32_t* allocate(std::size_t n) {
        return store ? store->AllocatePixels(n) : AllocatePixels(n);
    }
    void deallocate(std::uint32_t* p, std::size_t n) noexcept {
        if (store) {
            store->FreePixels(p, n);
        } else {
            FreePixels(p, n);
        }
    }
    // A copy of a surface is the program's own, on the heap.
    PixelAllocator select_on_container_copy_construction() const { return {}; }
    template <class U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <class U, class... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    friend bool operator==(const PixelAllocator& a, const PixelAllocator& b) {
        return a.store == b.store;
    }
};

// COLORREF is 0x00BBGGRR; a surface pixel is 0x00RRGGBB.
constexpr std::uint32_t ToPixel(COLORREF c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr COLORREF ToColorRef(std::uint32_t p) {
    return ToPixel(p);
}

class Surface {
  public:
    using PixelVector = std::vector<std::uint32_t, PixelAllocator>;

    Surface() = default;
    Surface(int width, int height, std::uint32_t fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    RECT Bounds() const { return RECT{0, 0, width_, height_}; }

    std::uint32_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint32_t* Row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }
    std::uint32_t At(int x, int y) const { return Row(y)[x]; }
    void Set(int x, int y, std::uint32_t p) { Row(y)[x] = p; }

    PixelVector& Pixels() { return pixels_; }
    const PixelVector& Pixels() const { return pixels_; }

    // Resizes to width x height with every pixel set to fill.
    void Resize(int width, int height, std::uint32_t fill = 0);
    // Resizes to width x height for a caller that writes every pixel next; the content is
    // unspecified until then.
    void ResizeForOverwrite(int width, int height);

    // Moves the pixels into memory from store (null: the heap), keeping them; every later
    // allocation comes from there too. The store must outlive the pixels it holds.
    void SetPixelStore(PixelStore* store);
    PixelStore* Store() const { return pixels_.get_allocator().store; }

  private:
    // Resizes; true when the pixels are a new block known to hold zeros.
    bool Reallocate(int width, int height);

    int width_ = 0;
    int height_ = 0;
    PixelVector pixels_;
};

// Sets n pixels from p on.
void FillPixels(std::uint32_t* p, std::size_t n, std::uint32_t pixel);

// Copies n pixels to dst with stores that go to memory without reading the destination into the
// cache first: for a row written many times down a frame larger than the cache, where plain
// stores would read each line of the frame before writing it. EndStreaming must follow the last
// one before anything else reads the pixels written.
void StreamPixels(std::uint32_t* dst, const std::uint32_t* src, std::size_t n);
void EndStreaming();
// Whether a w x h rectangle is large enough for StreamPixels to pay: larger than the caches.
bool WorthStreaming(long long w, long long h);

// Fills the part of r inside clip (both in surface coordinates) with one pixel value.
void FillRect(Surface& s, const RECT& clip, RECT r, std::uint32_t pixel);

} // namespace gdi
