#pragma once
// A caption-less top-level window whose pixels are the window layer's client surface: the main
// test window. It covers the screen when maximised, also on an X server without a window
// manager, and shows the surface one device pixel per pixel at any scale factor. On X11 the
// surface's pixels live in memory shared with the server, which copies a frame from there to the
// screen: Qt's own window buffer, and the copy of every frame into it, are left out.

#include "platform/qt/top_level_widget.h"

#include <QRegion>

#include <memory>

namespace qtbackend {

class X11Presenter;

class SurfaceWindow : public TopLevelWidget {
  public:
    SurfaceWindow(Backend& backend, windowing::Window* w);
    ~SurfaceWindow() override;

    void Detach() override;
    void RequestPaint() override;
    void Present(const RECT& rect) override;
    void BeginMoveDrag() override;

  protected:
    QPaintEngine* paintEngine() const override;
    void ApplyShowState() override;
    void TakeFocus() override;

    void changeEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

  private:
    void UseX11Presenter();
    void ReleaseSurface();
    void Blit(const QRegion& region);
    void Put(const QRegion& region);
    void RouteMouse(UINT message, QMouseEvent* e);
    // Raises the window and gives it the keyboard focus.
    void BringToFront();
    // A press or double click of the left or right button, as the message for that button.
    void RoutePress(QMouseEvent* e, UINT left, UINT right);

    // Parts whose repaint only copies the surface to the screen: what the program presented
    // itself. Every other part of a paint event is a repaint the system asks for.
    QRegion presented_;
    const QRegion* painting_ = nullptr;       // the region of the paint event in progress
    std::unique_ptr<X11Presenter> presenter_; // holds the surface's pixels while there is one
    bool dragging_ = false;
    QPoint pressGlobal_;
    QPoint dragOrigin_;
};

} // namespace qtbackend
