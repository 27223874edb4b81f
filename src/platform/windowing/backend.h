#pragma once
// What the window layer needs from a window system. Two implementations: the Qt backend (real
// windows) and the headless backend (tests). Window state lives in windowing::Window; a backend
// shows it, feeds input in as messages through windowing::ProcessInput, and runs modal loops.

#include "platform/windowing/monitors.h"
#include "platform/windowing/window.h"

#include <string>
#include <vector>

namespace windowing {

// What the window system holds for a part of the screen.
struct ScreenPixels {
    gdi::Surface pixels; // 0x00RRGGBB, the size of the area asked for; empty on failure
    std::string error;   // why nothing could be read
    std::string source;  // where the pixels were read, e.g. "X server :0, root window, depth 24"
    // What the window system does to these pixels on their way to the monitors, one sentence
    // each: a gamma ramp that changes levels, a scaling transform.
    std::vector<std::string> alterations;
};

class Backend {
  public:
    virtual ~Backend() = default;

    // Every monitor, in the window system's order; the primary one is marked.
    virtual std::vector<Monitor> Monitors() const = 0;

    // A window was created (controls included) or is about to be destroyed.
    virtual void WindowCreated(Window* w) = 0;
    virtual void WindowDestroyed(Window* w) = 0;
    // Visibility, show state, enabled state, text, check state or rectangle of w changed.
    virtual void WindowChanged(Window* w) = 0;
    virtual void FocusChanged(Window* dialog) = 0;

    // Part of w needs a paint; the backend calls windowing::DeliverPaint(w) soon.
    virtual void PaintRequested(Window* w) = 0;
    // The given client rectangle of w's surface has new content to show.
    virtual void Present(Window* w, const RECT& rect) = 0;

    // Runs input and paints until w->modalEnded; EndModalLoop wakes a waiting loop.
    virtual void RunModalLoop(Window* w) = 0;
    virtual void EndModalLoop(Window* w) = 0;
    // Delivers msg through windowing::ProcessInput or SendMessage after the current message.
    virtual void Post(const MSG& msg) = 0;

    virtual void BeginMoveDrag(Window* w) = 0;
    virtual void ShowSystemMenu(Window* w) = 0;
    virtual bool RegisterHotKey(Window* w, int id, UINT modifiers, UINT vk) = 0;
    virtual bool UnregisterHotKey(Window* w, int id) = 0;
    virtual bool IsKeyDown(UINT vk) const = 0;
    virtual std::string ModulePath() const = 0;

    // The pixels the window system holds for area of the virtual screen (device pixels), as it
    // shows them: those of whichever window covers each pixel, after whatever the window system
    // does to a window's pixels, once everything presented so far has reached it.
    virtual ScreenPixels ReadScreen(const RECT& area) {
        (void)area;
        return {{}, "reading back the screen is not available with this window system", {}, {}};
    }
};

// The backend of the running application; null before one is set.
Backend* CurrentBackend();

// Entry points for backends.
void ProcessInput(MSG msg);   // keyboard and mouse: pre-translation, then the window
void DeliverPaint(Window* w); // WM_PAINT if part of w is invalid
void ClientResized(Window* w, int width, int height); // the window system changed the size
void ClientMoved(Window* w, int left, int top);       // ... or moved the client area on the screen
// The monitors changed (added, removed, resized, rotated, another made primary): maximised
// windows follow their monitor, windows of a vanished monitor go to the primary one, and every
// top-level window hears WM_DISPLAYCHANGE.
void DisplayChanged();
// The session ends now (the window system is gone or shutting down): every top-level window
// hears WM_ENDSESSION with TRUE and may save what it must; the process can end as soon as this
// returns, without further messages, paints or window-system calls.
void SessionEnding();
void ControlClicked(Window* control); // a mouse click on a control
void FocusControl(Window* control);   // the window system moved the focus to a control
Window* ActiveModalWindow();          // where keyboard input goes

// The monitors of the current backend, and the one the platform calls primary (a zero-sized one
// when there is no backend or it reports none).
std::vector<Monitor> Monitors();
Monitor PrimaryMonitor();
// The monitor a window is on: the one a maximised window covers, else the one that holds most
// of it.
Monitor MonitorOfWindow(const Window* w);

} // namespace windowing
