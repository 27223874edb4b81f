#pragma once
// The Windows window system: real top-level windows and controls for the window layer's
// windows, their messages passed into the window layer unchanged, the surface presented one
// device pixel per pixel. The window layer's state stays authoritative; the native windows
// show it and report what the operator and the system do. Everything that touches the system
// itself is in native/, behind types of the standard library.

#include "platform/win32/native/native.h"
#include "platform/windowing/backend.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace win32backend {

class Backend final : public windowing::Backend, private win32native::Events {
  public:
    // modulePath: the executable the program believes it is; empty for the running one.
    explicit Backend(std::string modulePath = {});
    ~Backend() override;
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

    // Whether the window system could be set up at all.
    bool Ok() const { return ok_; }
    // The native window of a window layer window (top-level or control); null when none.
    win32native::Handle NativeWindow(const windowing::Window* w) const;
    int Presents() const { return presents_; }

    // windowing::Backend
    std::vector<windowing::Monitor> Monitors() const override;
    void WindowCreated(windowing::Window* w) override;
    void WindowDestroyed(windowing::Window* w) override;
    void WindowChanged(windowing::Window* w) override;
    void FocusChanged(windowing::Window* dialog) override;
    void PaintRequested(windowing::Window* w) override;
    void Present(windowing::Window* w, const RECT& rect) override;
    void RunModalLoop(windowing::Window* w) override;
    void EndModalLoop(windowing::Window* w) override;
    void Post(const MSG& msg) override;
    void BeginMoveDrag(windowing::Window* w) override;
    void ShowSystemMenu(windowing::Window* w) override;
    bool RegisterHotKey(windowing::Window* w, int id, UINT modifiers, UINT vk) override;
    bool UnregisterHotKey(windowing::Window* w, int id) override;
    bool IsKeyDown(UINT vk) const override;
    std::string ModulePath() const override;

  private:
    struct Peer {
        win32native::Handle handle = nullptr;
        bool dialog = false;
        std::optional<windowing::ShowState> shown; // the show state last applied
        windowing::ShowState beforeMinimize = windowing::ShowState::Normal;
        std::string title;
        HICON iconBig = nullptr;
        HICON iconSmall = nullptr;
        bool enabled = true;
        std::vector<int> hotKeys;
    };

    // win32native::Events
    void Input(win32native::Handle top, const win32native::Message& m) override;
    void Paint(win32native::Handle top, const win32native::Rect& area) override;
    win32native::Pixels SurfacePixels(win32native::Handle top) override;
    void SystemCommand(win32native::Handle top, unsigned command) override;
    void Activated(win32native::Handle top) override;
    void ControlClicked(win32native::Handle control) override;
    void ControlFocused(win32native::Handle control) override;
    void Moved(win32native::Handle top, int left, int top_) override;
    void Resized(win32native::Handle top, int width, int height) override;
    void HotKey(win32native::Handle top, const win32native::Message& m) override;
    void WorkDue() override;
    void EndSession() override;
    void DisplayChanged() override;

    Peer* PeerOf(const windowing::Window* w) const;
    windowing::Window* WindowOf(win32native::Handle top) const;
    windowing::Window* ControlOf(win32native::Handle control) const;
    void CreateControls(windowing::Window* dialog);
    void Sync(windowing::Window* w);
    void ApplyShowState(windowing::Window* w, Peer& peer);
    win32native::IconHandle NativeIcon(HICON icon);
    void Later(std::function<void()> work);
    // Every open modal window gets the close command, innermost first; one that stays open
    // has its loop ended anyway.
    void CloseModalWindows();

    std::string modulePath_;
    bool ok_ = false;
    std::map<const windowing::Window*, std::unique_ptr<Peer>> peers_;
    std::map<win32native::Handle, windowing::Window*> windows_;  // top-level windows
    std::map<win32native::Handle, windowing::Window*> controls_; // their controls
    std::map<HICON, win32native::IconHandle> icons_;
    std::deque<std::function<void()>> work_;
    // The arrangement the window layer last heard of, so that it hears of each change once.
    std::vector<windowing::Monitor> monitors_;
    const windowing::Window* painting_ = nullptr; // the surface whose system paint runs
    int presents_ = 0;
};

} // namespace win32backend
