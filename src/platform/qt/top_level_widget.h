#pragma once
// What the two kinds of top-level window share: the window layer's window behind them, the
// controls built from its children, and the state that flows from the window layer to Qt (show
// state, enabled state, caption, icon, focus) and back (close requests, moves, minimising).

#include "platform/windowing/window.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace qtbackend {

class Backend;

class TopLevelWidget : public QWidget {
  public:
    TopLevelWidget(Backend& backend, windowing::Window* w, Qt::WindowFlags flags);

    windowing::Window* Window() const { return window_; }
    // The window is being destroyed: from now on the widget shows nothing and reports nothing.
    void Detach();

    void Sync();
    void SyncControl(windowing::Window* control);
    void SyncFocus();
    // Qt moved the keyboard focus to one of the controls (a click, the window manager).
    void ControlFocused(QWidget* widget);

    virtual void RequestPaint();
    virtual void Present(const RECT& rect);
    virtual void BeginMoveDrag();

  protected:
    void BuildControls(const QFont& font);
    virtual void ApplyShowState() = 0;
    // Takes the window off the screen.
    virtual void Withdraw();
    // The window is active and nothing in it has the keyboard focus (it was disabled meanwhile,
    // which takes the focus away): give the keyboard back to it.
    virtual void TakeFocus();

    void closeEvent(QCloseEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void changeEvent(QEvent* e) override;

    Backend& backend_;
    windowing::Window* window_;
    std::optional<windowing::ShowState> shown_; // the show state last applied to the widget
    RECT placed_{};                             // ... and the client rectangle
    windowing::ShowState beforeMinimize_ = windowing::ShowState::Normal;
    bool applying_ = false;

  private:
    HICON iconBig_ = nullptr;
    HICON iconSmall_ = nullptr;
    std::vector<windowing::Window*> controls_;
};

} // namespace qtbackend
