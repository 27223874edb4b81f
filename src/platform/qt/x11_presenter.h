#pragma once
// Frames straight from the window's surface to the X server. The surface's pixels live in memory
// shared with the server (MIT-SHM), which copies a frame from there to the screen itself: no
// copy of ours between the surface and the screen, and no window buffer of Qt's in between.

#include "platform/base/types.h"
#include "platform/gdi/surface.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace qtbackend {

class X11Presenter final : public gdi::PixelStore {
  public:
    // Null unless Qt runs on an X server that can map memory of this process.
    static std::unique_ptr<X11Presenter> Create();
    ~X11Presenter();
    X11Presenter(const X11Presenter&) = delete;
    X11Presenter& operator=(const X11Presenter&) = delete;

    // Whether the X window shows surface pixels as they are: a 24-bit true-colour visual whose
    // pixels are 32-bit 0x00RRGGBB words in this machine's byte order.
    bool Accepts(std::uint32_t window) const;

    // Copies rectangle r of surface (device pixels, inside the surface) to the same place in the
    // window. The server may read the pixels until the next Sync.
    void Put(std::uint32_t window, const gdi::Surface& surface, const RECT& r);
    // Paints r of the window black: what a surface smaller than the window leaves uncovered.
    void FillBlack(std::uint32_t window, const RECT& r);
    // Waits until the server has done all that was asked of it: the frame is on the screen, and
    // the surface may be drawn into again.
    void Sync();

    // gdi::PixelStore: shared memory, or the heap when the server cannot have any more.
    std::uint32_t* AllocatePixels(std::size_t n) override;
    void FreePixels(std::uint32_t* p, std::size_t n) noexcept override;
    bool TakeZeros(const std::uint32_t* p) noexcept override;

  private:
    struct Block {
        std::uint32_t* pixels = nullptr;
        std::size_t bytes = 0;
        std::uint32_t segment = 0; // the server's name for it; 0 for heap memory
        bool zeros = false;        // fresh shared memory not yet handed to a surface as such
    };

    explicit X11Presenter(void* connection) : connection_(connection) {}
    std::uint32_t* AllocateShared(std::size_t n);
    const Block* BlockOf(const std::uint32_t* p) const;
    void Release(const Block& b) noexcept;
    void UseGc(std::uint32_t window);
    // Sends the pixels through the connection instead, in requests the server accepts.
    void PutThroughConnection(std::uint32_t window, const gdi::Surface& surface, const RECT& r);

    void* connection_; // xcb_connection_t, Qt's own
    std::vector<Block> blocks_;
    Block spare_; // a shared block given back, kept for the next request of its size
    std::uint32_t gc_ = 0;
    std::vector<std::uint32_t> rows_; // a part of a row range sent through the connection
};

} // namespace qtbackend
