#pragma once
// The X server as the user sees it: its screen read back one pixel at a time, keys and clicks
// sent through the XTest extension as if typed, and the server's damage reports for pacing.

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace latency {

using Clock = std::chrono::steady_clock;

class XDisplay {
  public:
    // Connects to DISPLAY; throws std::runtime_error when there is no server or it lacks XTest.
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::string Name() const;

    // The root window's pixel as 0xRRGGBB: what the screen shows there now (one round trip).
    std::uint32_t Pixel(int x, int y);

    // Keys by their X keysym name ("Left", "0", "Escape").
    void KeyDown(const std::string& name);
    void KeyUp(const std::string& name);
    void Click(int x, int y, unsigned button);
    // Waits up to timeout until some window has the keyboard focus; false if none got it.
    bool WaitForFocus(std::chrono::milliseconds timeout);

    // Pacing without probes: true once something was drawn on the screen since the last call
    // of ResetDamage, waiting up to timeout. False when the server has no damage extension.
    bool HasDamage() const { return damage_ != 0; }
    void ResetDamage();
    bool WaitForDamage(std::chrono::milliseconds timeout);
    // Waits until nothing has been drawn for quiet, at most timeout.
    void WaitForQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout);

  private:
    unsigned Keycode(const std::string& name);
    bool NextDamageEvent(Clock::time_point deadline);

    Display* display_ = nullptr;
    Window root_ = 0;
    int width_ = 0;
    int height_ = 0;
    int damageEventBase_ = 0;
    XID damage_ = 0;
};

} // namespace latency
