#pragma once
// The in-memory window system: a virtual screen of a chosen size or of several monitors, a
// scripted input queue and modal loops that run that queue. Tests drive the whole program
// through it.

#include "platform/windowing/backend.h"

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>

namespace headless {

class Backend : public windowing::Backend {
  public:
    explicit Backend(SIZE screen, std::string modulePath = "/tmp/lumivex/lumivex");
    explicit Backend(std::vector<windowing::Monitor> monitors,
                     std::string modulePath = "/tmp/lumivex/lumivex");

    // Script: input for the window that has the keyboard when the step is reached.
    void KeyDown(UINT vk);                  // WM_KEYDOWN (and key up)
    void SysKeyDown(UINT vk);               // WM_SYSKEYDOWN, as with Alt held
    void HoldKey(UINT vk, bool down);       // e.g. Shift for Shift+Tab
    void Mouse(UINT message, int x, int y); // a mouse message at client coordinates
    void ClickControl(int controlId);       // a mouse click on a control of the dialog
    void Close();                           // the window system's close command
    void Expose(RECT rect);                 // the system asks for a repaint of rect
    // A left-button drag from client point (x, y) by (dx, dy), as the window system carries out
    // the move the program asks for.
    void Drag(int x, int y, int dx, int dy);
    // The monitors change: resolution, orientation, a monitor plugged in or out.
    void ChangeMonitors(std::vector<windowing::Monitor> monitors);
    void Run(std::function<void()> step); // any other step, e.g. a check

    // What the screen shows of a top-level window: its surface as last presented.
    const gdi::Surface* Screen(const windowing::Window* w) const;
    int Presents() const { return presents_; }
    int ModalDepth() const { return modalDepth_; }
    bool HotKeyHeld(int id) const { return hotKeys_.count(id) > 0; }
    std::vector<std::string> DragRequests() const { return drags_; }
    int SystemMenuRequests() const { return systemMenus_; }

    // windowing::Backend
    std::vector<windowing::Monitor> Monitors() const override;
    void WindowCreated(windowing::Window* w) override;
    void WindowDestroyed(windowing::Window* w) override;
    void WindowChanged(windowing::Window*) override {}
    void FocusChanged(windowing::Window*) override {}
    void PaintRequested(windowing::Window*) override {}
    void Present(windowing::Window* w, const RECT& rect) override;
    void RunModalLoop(windowing::Window* w) override;
    void EndModalLoop(windowing::Window*) override {}
    void Post(const MSG& msg) override { posted_.push_back(msg); }
    void BeginMoveDrag(windowing::Window* w) override;
    void ShowSystemMenu(windowing::Window*) override { ++systemMenus_; }
    bool RegisterHotKey(windowing::Window* w, int id, UINT modifiers, UINT vk) override;
    bool UnregisterHotKey(windowing::Window* w, int id) override;
    bool IsKeyDown(UINT vk) const override { return held_.count(vk) > 0; }
    std::string ModulePath() const override { return modulePath_; }

  private:
    bool PaintPending();

    std::vector<windowing::Monitor> monitors_;
    std::string modulePath_;
    POINT dragBy_{}; // how far the next move drag carries the window
    std::deque<std::function<void(windowing::Window*)>> script_;
    std::deque<MSG> posted_;
    std::map<const windowing::Window*, gdi::Surface> screens_;
    std::map<int, const windowing::Window*> hotKeys_;
    std::set<UINT> held_;
    std::vector<std::string> drags_;
    int systemMenus_ = 0;
    int presents_ = 0;
    int modalDepth_ = 0;
};

} // namespace headless
