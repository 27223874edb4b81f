#include "platform/qt/hot_keys.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>

#ifdef LUMIVEX_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace qtbackend {

#ifdef LUMIVEX_HAVE_XCB

namespace {

constexpr std::uint16_t kShift = XCB_MOD_MASK_SHIFT;
constexpr std::uint16_t kControl = XCB_MOD_MASK_CONTROL;
constexpr std::uint16_t kAlt = XCB_MOD_MASK_1;
constexpr std::uint16_t kSuper = XCB_MOD_MASK_4;
constexpr std::uint16_t kCapsLock = XCB_MOD_MASK_LOCK;
constexpr std::uint16_t kNumLock = XCB_MOD_MASK_2;
constexpr UINT kModWin = 0x0008; // MOD_WIN

xcb_connection_t* Connection(void* c) {
    return static_cast<xcb_connection_t*>(c);
}

// The keysym a virtual-key code stands for: letters, digits and function keys.
std::uint32_t KeysymOf(UINT vk) {
    if (vk >= 'A' && vk <= 'Z') {
        return 'a' + (vk - 'A');
    }
    if (vk >= '0' && vk <= '9') {
        return vk;
    }
    if (vk >= VK_F1 && vk <= VK_F24) {
        return 0xFFBE + (vk - VK_F1); // XK_F1 onwards
    }
    return 0;
}

std::uint8_t KeycodeOf(xcb_connection_t* c, std::uint32_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<std::uint8_t>(count)),
        nullptr);
    if (!reply) {
        return 0;
    }
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
    const int perCode = reply->keysyms_per_keycode;
    std::uint8_t found = 0;
    for (int i = 0; i < count && !found; ++i) {
        for (int j = 0; j < std::min(perCode, 2); ++j) {
            if (syms[i * perCode + j] == keysym) {
                found = static_cast<std::uint8_t>(first + i);
                break;
            }
        }
    }
    std::free(reply);
    return found;
}

// The grab must hold with Caps Lock and Num Lock in any state.
constexpr std::uint16_t kLockVariants[] = {0, kCapsLock, kNumLock, kCapsLock | kNumLock};

} // namespace

HotKeys::HotKeys(std::function<void(const MSG&)> post) : post_(std::move(post)) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) {
        return;
    }
    connection_ = x11->connection();
    xcb_screen_iterator_t screens =
        xcb_setup_roots_iterator(xcb_get_setup(Connection(connection_)));
    if (!screens.rem) {
        connection_ = nullptr;
        return;
    }
    root_ = screens.data->root;
    qGuiApp->installNativeEventFilter(this);
}

HotKeys::~HotKeys() {
    for (const Grab& g : grabs_) {
        Release(g);
    }
    if (connection_ && qGuiApp) {
        qGuiApp->removeNativeEventFilter(this);
    }
}

bool HotKeys::Register(windowing::Window* w, int id, UINT modifiers, UINT vk) {
    if (!connection_ || std::any_of(grabs_.begin(), grabs_.end(),
                                    [&](const Grab& g) { return g.window == w && g.id == id; })) {
        return false;
    }
    xcb_connection_t* c = Connection(connection_);
    const std::uint32_t keysym = KeysymOf(vk);
    const std::uint8_t keycode = keysym ? KeycodeOf(c, keysym) : 0;
    if (!keycode) {
        return false;
    }
    std::uint16_t mask = 0;
    mask |= (modifiers & MOD_SHIFT) ? kShift : 0;
    mask |= (modifiers & MOD_CONTROL) ? kControl : 0;
    mask |= (modifiers & MOD_ALT) ? kAlt : 0;
    mask |= (modifiers & kModWin) ? kSuper : 0;
    // Grabbed for the root window and not reported to the focused window even when that is
    // ours: like the platform's hot keys, the combination becomes WM_HOTKEY and nothing else.
    bool ok = true;
    for (std::uint16_t lock : kLockVariants) {
        xcb_generic_error_t* error =
            xcb_request_check(c, xcb_grab_key_checked(c, 0, root_, mask | lock, keycode,
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        if (error) {
            // Another program holds the combination.
            std::free(error);
            ok = false;
        }
    }
    const Grab grab{w, id, modifiers, vk, keycode, mask};
    if (!ok) {
        Release(grab);
        return false;
    }
    grabs_.push_back(grab);
    return true;
}

void HotKeys::Release(const Grab& g) {
    xcb_connection_t* c = Connection(connection_);
    for (std::uint16_t lock : kLockVariants) {
        xcb_ungrab_key(c, g.keycode, root_, g.mask | lock);
    }
    xcb_flush(c);
}

bool HotKeys::Unregister(windowing::Window* w, int id) {
    auto it = std::find_if(grabs_.begin(), grabs_.end(),
                           [&](const Grab& g) { return g.window == w && g.id == id; });
    if (it == grabs_.end()) {
        return false;
    }
    Release(*it);
    grabs_.erase(it);
    return true;
}

void HotKeys::WindowDestroyed(windowing::Window* w) {
    std::erase_if(grabs_, [&](const Grab& g) {
        if (g.window != w) {
            return false;
        }
        Release(g);
        return true;
    });
}

bool HotKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (grabs_.empty() || eventType != "xcb_generic_event_t") {
        return false;
    }
    auto* event = static_cast<xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & 0x7F;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) {
        return false;
    }
    // Press and release events have the same layout.
    auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
    if (key->event != root_) {
        return false;
    }
    const std::uint16_t held = key->state & (kShift | kControl | kAlt | kSuper);
    for (const Grab& g : grabs_) {
        if (g.keycode == key->detail && g.mask == held) {
            if (type == XCB_KEY_PRESS) {
                post_(MSG{g.window, WM_HOTKEY, static_cast<WPARAM>(g.id),
                          MAKELPARAM(static_cast<int>(g.modifiers), static_cast<int>(g.vk))});
            }
            return true;
        }
    }
    return false;
}

#else // no xcb: hot keys cannot be held

HotKeys::HotKeys(std::function<void(const MSG&)> post) : post_(std::move(post)) {}
HotKeys::~HotKeys() = default;
bool HotKeys::Register(windowing::Window*, int, UINT, UINT) {
    return false;
}
bool HotKeys::Unregister(windowing::Window*, int) {
    return false;
}
void HotKeys::WindowDestroyed(windowing::Window*) {}
bool HotKeys::nativeEventFilter(const QByteArray&, void*, qintptr*) {
    return false;
}
void HotKeys::Release(const Grab&) {}

#endif

} // namespace qtbackend
