// Sections: the X server's pixel format; reading the root window in strips; the CRTCs' gamma
// ramps and transforms; the entry point.

#include "platform/qt/screen_readback.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#ifdef LUMIVEX_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#ifdef LUMIVEX_HAVE_XCB_RANDR
#include <xcb/randr.h>
#endif
#endif

namespace qtbackend {

#ifdef LUMIVEX_HAVE_XCB

namespace {

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <class T> using Reply = std::unique_ptr<T, FreeReply>;

// ---- the X server's pixel format ---------------------------------------------------------------

// How a ZPixmap image of the root window's depth stores a pixel.
struct PixelFormat {
    int depth = 0;
    int bitsPerPixel = 0;
    int scanlinePad = 32;
    bool lsbFirst = true;
    std::uint32_t masks[3] = {}; // red, green, blue
};

// The screen $DISPLAY names (":0.1" is screen 1); Qt connects to that one.
int ScreenNumber() {
    const char* display = std::getenv("DISPLAY");
    if (!display) {
        return 0;
    }
    const std::string d = display;
    const std::size_t colon = d.rfind(':');
    const std::size_t dot = d.find('.', colon == std::string::npos ? 0 : colon);
    return dot == std::string::npos ? 0 : std::atoi(d.c_str() + dot + 1);
}

xcb_screen_t* ScreenOf(xcb_connection_t* c) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int n = ScreenNumber(); n > 0 && it.rem > 0; --n) {
        xcb_screen_next(&it);
    }
    return it.rem > 0 ? it.data : nullptr;
}

bool FormatOf(xcb_connection_t* c, const xcb_screen_t* screen, PixelFormat& f) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    f.depth = screen->root_depth;
    f.lsbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem > 0; xcb_format_next(&it)) {
        if (it.data->depth == screen->root_depth) {
            f.bitsPerPixel = it.data->bits_per_pixel;
            f.scanlinePad = it.data->scanline_pad;
        }
    }
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem > 0; xcb_depth_next(&d)) {
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem > 0; xcb_visualtype_next(&v)) {
            if (v.data->visual_id == screen->root_visual &&
                (v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR ||
                 v.data->_class == XCB_VISUAL_CLASS_DIRECT_COLOR)) {
                f.masks[0] = v.data->red_mask;
                f.masks[1] = v.data->green_mask;
                f.masks[2] = v.data->blue_mask;
            }
        }
    }
    return (f.bitsPerPixel == 16 || f.bitsPerPixel == 24 || f.bitsPerPixel == 32) && f.masks[0] &&
           f.masks[1] && f.masks[2];
}

// A channel of a stored pixel on the 0-255 scale: an 8-bit channel as it is, a narrower one
// stretched (5 bits: 31 shows as 255).
std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
    int shift = 0;
    while (!((mask >> shift) & 1u)) {
        ++shift;
    }
    const std::uint32_t max = mask >> shift;
    const std::uint32_t v = (value & mask) >> shift;
    return max == 255 ? v : (v * 255 + max / 2) / max;
}

// ---- reading the root window in strips ---------------------------------------------------------

bool ReadStrip(xcb_connection_t* c, xcb_window_t root, const PixelFormat& f, const RECT& area,
               int top, int rows, gdi::Surface& out, std::string& error) {
    const int width = area.right - area.left;
    xcb_generic_error_t* e = nullptr;
    Reply<xcb_get_image_reply_t> reply(xcb_get_image_reply(
        c,
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<std::int16_t>(area.left),
                      static_cast<std::int16_t>(top), static_cast<std::uint16_t>(width),
                      static_cast<std::uint16_t>(rows), ~0u),
        &e));
    if (!reply) {
        error = "the X server refused to give the pixels (error " +
                std::to_string(e ? e->error_code : 0) + ")";
        std::free(e);
        return false;
    }
    const std::size_t bits = static_cast<std::size_t>(width) * f.bitsPerPixel;
    const std::size_t pad = static_cast<std::size_t>(f.scanlinePad);
    const std::size_t stride = (bits + pad - 1) / pad * pad / 8;
    const std::uint8_t* data = xcb_get_image_data(reply.get());
    if (static_cast<std::size_t>(xcb_get_image_data_length(reply.get())) < stride * rows) {
        error = "the X server sent fewer pixels than asked for";
        return false;
    }
    const int bytes = f.bitsPerPixel / 8;
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* p = data + stride * static_cast<std::size_t>(y);
        std::uint32_t* row = out.Row(top - area.top + y);
        for (int x = 0; x < width; ++x, p += bytes) {
            std::uint32_t v = 0;
            for (int b = 0; b < bytes; ++b) {
                const int shift = 8 * (f.lsbFirst ? b : bytes - 1 - b);
                v |= static_cast<std::uint32_t>(p[b]) << shift;
            }
            row[x] =
                Channel(v, f.masks[0]) << 16 | Channel(v, f.masks[1]) << 8 | Channel(v, f.masks[2]);
        }
    }
    return true;
}

// ---- the CRTCs' gamma ramps and transforms -----------------------------------------------------

#ifdef LUMIVEX_HAVE_XCB_RANDR

// Where a ramp takes level v (0-255), on the same scale.
int RampLevel(const std::uint16_t* ramp, int size, int v) {
    return ramp[static_cast<std::size_t>(v) * static_cast<std::size_t>(size - 1) / 255] >> 8;
}

std::string GammaAlteration(xcb_connection_t* c, xcb_randr_crtc_t crtc) {
    Reply<xcb_randr_get_crtc_gamma_reply_t> gamma(
        xcb_randr_get_crtc_gamma_reply(c, xcb_randr_get_crtc_gamma(c, crtc), nullptr));
    if (!gamma || gamma->size < 2) {
        return {};
    }
    const std::uint16_t* ramps[3] = {xcb_randr_get_crtc_gamma_red(gamma.get()),
                                     xcb_randr_get_crtc_gamma_green(gamma.get()),
                                     xcb_randr_get_crtc_gamma_blue(gamma.get())};
    // A server without gamma hardware (Xvfb) answers with ramps of zeros; a ramp that really
    // took every level to black would leave nothing to see, so such ramps are not applied ones.
    bool allZero = true;
    for (const std::uint16_t* ramp : ramps) {
        allZero = allZero && std::all_of(ramp, ramp + gamma->size, [](auto v) { return v == 0; });
    }
    if (allZero) {
        return {};
    }
    const char* names[3] = {"red", "green", "blue"};
    for (int ch = 0; ch < 3; ++ch) {
        for (int v = 0; v < 256; ++v) {
            const int shown = RampLevel(ramps[ch], gamma->size, v);
            if (shown != v) {
                return "CRTC " + std::to_string(crtc) + " has a gamma ramp that is not the " +
                       "identity: " + names[ch] + " " + std::to_string(v) + " reaches the " +
                       "monitor as " + std::to_string(shown) + " (xrandr --gamma, xgamma, a " +
                       "night light or a calibration loader)";
            }
        }
    }
    return {};
}

std::string TransformAlteration(xcb_connection_t* c, xcb_randr_crtc_t crtc) {
    Reply<xcb_randr_get_crtc_transform_reply_t> t(
        xcb_randr_get_crtc_transform_reply(c, xcb_randr_get_crtc_transform(c, crtc), nullptr));
    if (!t) {
        return {};
    }
    const xcb_render_transform_t& m = t->current_transform;
    const xcb_render_fixed_t one = 1 << 16;
    const bool identity = m.matrix11 == one && m.matrix22 == one && m.matrix33 == one &&
                          !m.matrix12 && !m.matrix13 && !m.matrix21 && !m.matrix23 && !m.matrix31 &&
                          !m.matrix32;
    return identity ? std::string()
                    : "CRTC " + std::to_string(crtc) + " scales or shifts the picture " +
                          "(xrandr --transform or --scale): a pixel is not a monitor pixel";
}

std::vector<std::string> Alterations(xcb_connection_t* c, xcb_window_t root, const RECT& area) {
    std::vector<std::string> found;
    Reply<xcb_randr_get_screen_resources_current_reply_t> res(
        xcb_randr_get_screen_resources_current_reply(
            c, xcb_randr_get_screen_resources_current(c, root), nullptr));
    if (!res) {
        return found;
    }
    const xcb_randr_crtc_t* crtcs = xcb_randr_get_screen_resources_current_crtcs(res.get());
    const int count = xcb_randr_get_screen_resources_current_crtcs_length(res.get());
    for (int i = 0; i < count; ++i) {
        Reply<xcb_randr_get_crtc_info_reply_t> info(xcb_randr_get_crtc_info_reply(
            c, xcb_randr_get_crtc_info(c, crtcs[i], res->config_timestamp), nullptr));
        if (!info || info->mode == XCB_NONE) {
            continue;
        }
        const RECT shown{info->x, info->y, info->x + info->width, info->y + info->height};
        RECT both;
        if (!IntersectRect(&both, &shown, &area)) {
            continue;
        }
        for (const std::string& s :
             {GammaAlteration(c, crtcs[i]), TransformAlteration(c, crtcs[i])}) {
            if (!s.empty()) {
                found.push_back(s);
            }
        }
    }
    return found;
}

#else

std::vector<std::string> Alterations(xcb_connection_t*, xcb_window_t, const RECT&) {
    return {};
}

#endif

} // namespace

// ---- the entry point ---------------------------------------------------------------------------

windowing::ScreenPixels ReadBackScreen(const RECT& area) {
    windowing::ScreenPixels out;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) {
        out.error = "reading back the screen needs the X11 platform, not " +
                    QGuiApplication::platformName().toStdString();
        return out;
    }
    xcb_connection_t* c = x11->connection();
    const xcb_screen_t* screen = ScreenOf(c);
    PixelFormat format;
    if (!screen || !FormatOf(c, screen, format)) {
        out.error = "the X server's root window has a pixel format this program cannot read "
                    "(a true-colour visual of 16, 24 or 32 bits per pixel is needed)";
        return out;
    }
    const char* display = std::getenv("DISPLAY");
    out.source = std::string("X server ") + (display ? display : "") + ", root window, depth " +
                 std::to_string(format.depth);
    const RECT root{0, 0, screen->width_in_pixels, screen->height_in_pixels};
    RECT inside;
    if (IsRectEmpty(&area) || !IntersectRect(&inside, &area, &root) || inside.left != area.left ||
        inside.top != area.top || inside.right != area.right || inside.bottom != area.bottom) {
        out.error = "the area lies outside the X screen of " + std::to_string(root.right) + " x " +
                    std::to_string(root.bottom) + " pixels";
        return out;
    }
    const int width = area.right - area.left;
    out.pixels.ResizeForOverwrite(width, area.bottom - area.top);
    // Strips of about 4 MB: one reply for a whole 8K screen would be far larger.
    const int rowsPerStrip = std::max(1, (4 << 20) / (width * 4));
    for (int top = area.top; top < area.bottom; top += rowsPerStrip) {
        const int rows = std::min(rowsPerStrip, static_cast<int>(area.bottom) - top);
        if (!ReadStrip(c, screen->root, format, area, top, rows, out.pixels, out.error)) {
            out.pixels = gdi::Surface();
            return out;
        }
    }
    out.alterations = Alterations(c, screen->root, area);
    return out;
}

#else

windowing::ScreenPixels ReadBackScreen(const RECT&) {
    return {{}, "reading back the screen is not available in this build (no XCB)", {}, {}};
}

#endif

} // namespace qtbackend
