#pragma once
// The Qt 6 window system: real top-level windows for the window layer's windows, Qt widgets for
// their controls, keyboard and mouse input as window messages, nested event loops as modal loops
// and the global hot key on X11. The window layer's state stays authoritative; the widgets show
// it and report what the operator does.

#include "platform/qt/key_map.h"
#include "platform/windowing/backend.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QEventLoop;
class QKeyEvent;
class QMouseEvent;
class QScreen;
class QWidget;

namespace qtbackend {

class HotKeys;
class IdleHeapTrim;
class TopLevelWidget;

class Backend : public QObject, public windowing::Backend {
  public:
    // modulePath: the executable the program believes it is (its settings file lives beside
    // it); empty for the running executable.
    explicit Backend(std::string modulePath = {});
    ~Backend() override;

    // The widget that shows a window or a control; null when it has none.
    QWidget* Widget(const windowing::Window* w) const;
    // Frames the program has handed over for the screen, for tests.
    int Presents() const { return presents_; }
    // Display changes handed to the window layer, for tests.
    int DisplayChanges() const { return displayChanges_; }

    // The window system ends the session: every open modal window gets the close command,
    // innermost first, and one that stays open has its loop ended anyway.
    void EndSession();

    // Input from the widgets.
    void RouteKey(windowing::Window* w, const QKeyEvent& e);
    void RouteMouse(windowing::Window* w, UINT message, const QMouseEvent& e);

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
    windowing::ScreenPixels ReadScreen(const RECT& area) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static TopLevelWidget* TopOf(const windowing::Window* w);
    void OnFocusChanged(QWidget* now);
    KeyFacts FactsOf(const QKeyEvent& e) const;
    void WatchScreen(QScreen* screen);
    void ScheduleDisplayChange();

    std::string modulePath_;
    bool xkbKeycodes_; // the platform reports keys by XKB keycode
    std::map<const windowing::Window*, QEventLoop*> loops_;
    // The modifiers of the input message being processed: the platform answers key-state
    // questions as of the message, not as of the moment of asking.
    std::optional<Qt::KeyboardModifiers> inputModifiers_;
    std::unique_ptr<HotKeys> hotKeys_;
    std::unique_ptr<IdleHeapTrim> heapTrim_;
    std::vector<QPointer<QWidget>> retired_;
    int presents_ = 0;
    bool displayChangePending_ = false;
    int displayChanges_ = 0;
};

} // namespace qtbackend
