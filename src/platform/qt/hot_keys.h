#pragma once
// Global hot keys. On X11 a key combination is grabbed on the root window through Qt's xcb
// connection, so it reaches this program whichever window has the focus and no other program
// sees it; a press arrives as WM_HOTKEY. Elsewhere (Wayland, the offscreen platform) there is
// no such thing and registration fails, as it may on any system.

#include "platform/windowing/window.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>
#include <vector>

namespace qtbackend {

class HotKeys : public QAbstractNativeEventFilter {
  public:
    // post: how a WM_HOTKEY message reaches the program.
    explicit HotKeys(std::function<void(const MSG&)> post);
    ~HotKeys() override;

    bool Register(windowing::Window* w, int id, UINT modifiers, UINT vk);
    bool Unregister(windowing::Window* w, int id);
    void WindowDestroyed(windowing::Window* w);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    struct Grab {
        windowing::Window* window;
        int id;
        UINT modifiers;
        UINT vk;
        std::uint8_t keycode;
        std::uint16_t mask;
    };
    void Release(const Grab& g);

    std::function<void(const MSG&)> post_;
    void* connection_ = nullptr; // xcb_connection_t, when Qt runs on X11
    std::uint32_t root_ = 0;
    std::vector<Grab> grabs_;
};

} // namespace qtbackend
