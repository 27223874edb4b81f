#include "platform/qt/x11_presenter.h"

#ifdef LUMIVEX_HAVE_XCB_SHM

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <utility>

namespace qtbackend {

namespace {

xcb_connection_t* Xcb(void* c) {
    return static_cast<xcb_connection_t*>(c);
}

// Frees an xcb reply when it goes out of scope.
template <class T> struct Reply {
    T* p;
    ~Reply() { std::free(p); }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

bool IsTrueColorRgb(const xcb_setup_t* setup, xcb_visualid_t id) {
    for (auto screen = xcb_setup_roots_iterator(setup); screen.rem; xcb_screen_next(&screen)) {
        for (auto depth = xcb_screen_allowed_depths_iterator(screen.data); depth.rem;
             xcb_depth_next(&depth)) {
            for (auto v = xcb_depth_visuals_iterator(depth.data); v.rem; xcb_visualtype_next(&v)) {
                if (v.data->visual_id == id) {
                    return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                           v.data->red_mask == 0xFF0000u && v.data->green_mask == 0xFF00u &&
                           v.data->blue_mask == 0xFFu;
                }
            }
        }
    }
    return false;
}

bool Depth24Is32Bits(const xcb_setup_t* setup) {
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f)) {
        if (f.data->depth == 24) {
            return f.data->bits_per_pixel == 32;
        }
    }
    return false;
}

constexpr std::uint8_t kDepth = 24;

} // namespace

std::unique_ptr<X11Presenter> X11Presenter::Create() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) {
        return nullptr;
    }
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(c, &xcb_shm_id);
    if (!shm || !shm->present) {
        return nullptr;
    }
    // Memory goes to the server as a file descriptor (version 1.2), which also tells whether
    // the server runs on this machine at all.
    const Reply<xcb_shm_query_version_reply_t> version{
        xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr)};
    if (!version || (version->major_version == 1 && version->minor_version < 2)) {
        return nullptr;
    }
    std::unique_ptr<X11Presenter> presenter(new X11Presenter(c));
    constexpr std::size_t kProbe = 1024;
    std::uint32_t* probe = presenter->AllocateShared(kProbe);
    if (!probe) {
        return nullptr;
    }
    presenter->FreePixels(probe, kProbe);
    return presenter;
}

X11Presenter::~X11Presenter() {
    // The surfaces give their blocks back first; what is left belongs to nobody.
    while (!blocks_.empty()) {
        FreePixels(blocks_.back().pixels, blocks_.back().bytes / sizeof(std::uint32_t));
    }
    Release(spare_);
    if (gc_) {
        xcb_free_gc(Xcb(connection_), gc_);
        xcb_flush(Xcb(connection_));
    }
}

bool X11Presenter::Accepts(std::uint32_t window) const {
    xcb_connection_t* c = Xcb(connection_);
    const Reply<xcb_get_geometry_reply_t> geometry{
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr)};
    const Reply<xcb_get_window_attributes_reply_t> attributes{
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr)};
    if (!geometry || !attributes || geometry->depth != kDepth) {
        return false;
    }
    const xcb_setup_t* setup = xcb_get_setup(c);
    const auto native = std::endian::native == std::endian::little ? XCB_IMAGE_ORDER_LSB_FIRST
                                                                   : XCB_IMAGE_ORDER_MSB_FIRST;
    return setup->image_byte_order == native && Depth24Is32Bits(setup) &&
           IsTrueColorRgb(setup, attributes->visual);
}

std::uint32_t* X11Presenter::AllocateShared(std::size_t n) {
    xcb_connection_t* c = Xcb(connection_);
    const std::size_t bytes = n * sizeof(std::uint32_t);
    const int fd = memfd_create("lumivex-surface", MFD_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    void* p = MAP_FAILED;
    if (ftruncate(fd, static_cast<off_t>(bytes)) == 0) {
        // Every page is written soon: map them all now rather than one fault per page.
        p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, fd, 0);
    }
    if (p == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    // The server only reads from it. xcb closes the descriptor once it is sent.
    const std::uint32_t segment = xcb_generate_id(c);
    if (xcb_generic_error_t* error =
            xcb_request_check(c, xcb_shm_attach_fd_checked(c, segment, fd, 1))) {
        std::free(error);
        munmap(p, bytes);
        return nullptr;
    }
    // A new file's pages read as zeros.
    blocks_.push_back(Block{static_cast<std::uint32_t*>(p), bytes, segment, true});
    return static_cast<std::uint32_t*>(p);
}

std::uint32_t* X11Presenter::AllocatePixels(std::size_t n) {
    if (spare_.pixels) {
        const Block spare = std::exchange(spare_, Block{});
        if (spare.bytes == n * sizeof(std::uint32_t)) {
            blocks_.push_back(spare);
            blocks_.back().zeros = false; // the frame drawn in it last
            return spare.pixels;
        }
        Release(spare);
    }
    if (std::uint32_t* p = AllocateShared(n)) {
        return p;
    }
    std::uint32_t* p = std::allocator<std::uint32_t>().allocate(n);
    blocks_.push_back(Block{p, n * sizeof(std::uint32_t), 0, false});
    return p;
}

void X11Presenter::FreePixels(std::uint32_t* p, std::size_t /*n*/) noexcept {
    const auto it =
        std::find_if(blocks_.begin(), blocks_.end(), [p](const Block& b) { return b.pixels == p; });
    if (it == blocks_.end()) {
        return;
    }
    const Block freed = *it;
    blocks_.erase(it);
    if (freed.segment && !spare_.pixels) {
        // A frame's off-screen buffer and the window's surface take turns with their blocks
        // (CDC::BitBltAndDiscard): the one given back is the next frame's buffer. The server
        // is done with it, as every Put ends with a Sync.
        spare_ = freed;
        return;
    }
    Release(freed);
}

bool X11Presenter::TakeZeros(const std::uint32_t* p) noexcept {
    for (Block& b : blocks_) {
        if (b.pixels == p) {
            return std::exchange(b.zeros, false);
        }
    }
    return false;
}

void X11Presenter::Release(const Block& b) noexcept {
    if (!b.pixels) {
        return;
    }
    if (b.segment) {
        xcb_shm_detach(Xcb(connection_), b.segment);
        xcb_flush(Xcb(connection_));
        munmap(b.pixels, b.bytes);
    } else {
        std::allocator<std::uint32_t>().deallocate(b.pixels, b.bytes / sizeof(std::uint32_t));
    }
}

const X11Presenter::Block* X11Presenter::BlockOf(const std::uint32_t* p) const {
    for (const Block& b : blocks_) {
        if (p >= b.pixels && p < b.pixels + b.bytes / sizeof(std::uint32_t)) {
            return &b;
        }
    }
    return nullptr;
}

void X11Presenter::UseGc(std::uint32_t window) {
    if (gc_) {
        return;
    }
    // One context serves every window of the same depth on the screen. No exposure events: a
    // part of the window that is covered gets a paint of its own when it shows again.
    gc_ = xcb_generate_id(Xcb(connection_));
    const std::uint32_t values[] = {0, 0};
    xcb_create_gc(Xcb(connection_), gc_, window, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES,
                  values);
}

void X11Presenter::Put(std::uint32_t window, const gdi::Surface& surface, const RECT& r) {
    if (surface.Empty() || r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    UseGc(window);
    const std::uint32_t* base = surface.Row(0);
    const Block* block = BlockOf(base);
    if (!block || !block->segment) {
        PutThroughConnection(window, surface, r);
        return;
    }
    const auto offset = static_cast<std::uint32_t>(reinterpret_cast<const char*>(base) -
                                                   reinterpret_cast<const char*>(block->pixels));
    xcb_shm_put_image(Xcb(connection_), window, gc_, static_cast<std::uint16_t>(surface.Width()),
                      static_cast<std::uint16_t>(surface.Height()),
                      static_cast<std::uint16_t>(r.left), static_cast<std::uint16_t>(r.top),
                      static_cast<std::uint16_t>(r.right - r.left),
                      static_cast<std::uint16_t>(r.bottom - r.top),
                      static_cast<std::int16_t>(r.left), static_cast<std::int16_t>(r.top), kDepth,
                      XCB_IMAGE_FORMAT_Z_PIXMAP, 0, block->segment, offset);
}

void X11Presenter::PutThroughConnection(std::uint32_t window, const gdi::Surface& surface,
                                        const RECT& r) {
    xcb_connection_t* c = Xcb(connection_);
    const auto width = static_cast<std::size_t>(r.right - r.left);
    // The request header takes 24 bytes of the largest request the server accepts.
    const std::size_t limit = std::size_t{xcb_get_maximum_request_length(c)} * 4 - 24;
    const int rowsPerPut = static_cast<int>(std::max<std::size_t>(1, limit / (width * 4)));
    for (int y = r.top; y < r.bottom; y += rowsPerPut) {
        const int rows = std::min(rowsPerPut, static_cast<int>(r.bottom - y));
        const std::uint32_t* pixels = surface.Row(y) + r.left;
        if (width != static_cast<std::size_t>(surface.Width())) {
            rows_.resize(width * rows);
            for (int i = 0; i < rows; ++i) {
                std::copy_n(surface.Row(y + i) + r.left, width, rows_.data() + i * width);
            }
            pixels = rows_.data();
        }
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, gc_, static_cast<std::uint16_t>(width),
                      static_cast<std::uint16_t>(rows), static_cast<std::int16_t>(r.left),
                      static_cast<std::int16_t>(y), 0, kDepth,
                      static_cast<std::uint32_t>(width * rows * 4),
                      reinterpret_cast<const std::uint8_t*>(pixels));
    }
}

void X11Presenter::FillBlack(std::uint32_t window, const RECT& r) {
    if (r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    UseGc(window);
    const xcb_rectangle_t rect{static_cast<std::int16_t>(r.left), static_cast<std::int16_t>(r.top),
                               static_cast<std::uint16_t>(r.right - r.left),
                               static_cast<std::uint16_t>(r.bottom - r.top)};
    xcb_poly_fill_rectangle(Xcb(connection_), window, gc_, 1, &rect);
}

void X11Presenter::Sync() {
    xcb_connection_t* c = Xcb(connection_);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

} // namespace qtbackend

#else // no xcb-shm: Qt presents the window itself

namespace qtbackend {

std::unique_ptr<X11Presenter> X11Presenter::Create() {
    return nullptr;
}
X11Presenter::~X11Presenter() = default;
bool X11Presenter::Accepts(std::uint32_t) const {
    return false;
}
void X11Presenter::Put(std::uint32_t, const gdi::Surface&, const RECT&) {}
void X11Presenter::FillBlack(std::uint32_t, const RECT&) {}
void X11Presenter::Sync() {}
std::uint32_t* X11Presenter::AllocatePixels(std::size_t n) {
    return std::allocator<std::uint32_t>().allocate(n);
}
bool X11Presenter::TakeZeros(const std::uint32_t*) noexcept {
    return false;
}
void X11Presenter::FreePixels(std::uint32_t* p, std::size_t n) noexcept {
    std::allocator<std::uint32_t>().deallocate(p, n);
}

} // namespace qtbackend

#endif
