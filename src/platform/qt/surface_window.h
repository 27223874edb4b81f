#pragma once
// A caption-less top-level window whose pixels are the window layer's client surface: the main
// test window. It covers the screen when maximised, also on an X server without a window
// manager, and shows the surface one device pixel per pixel at any scale factor.

#include "platform/qt/top_level_widget.h"

#include <QRegion>

namespace qtbackend {

class SurfaceWindow : public TopLevelWidget {
  public:
    SurfaceWindow(Backend& backend, windowing::Window* w);

    void RequestPaint() override;
    void Present(const RECT& rect) override;
    void BeginMoveDrag() override;

  protected:
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
    void Blit(const QRegion& region);
    void RouteMouse(UINT message, QMouseEvent* e);

    // Parts whose repaint only copies the surface to the screen: what the program presented
    // itself. Every other part of a paint event is a repaint the system asks for.
    QRegion presented_;
    const QRegion* painting_ = nullptr; // the region of the paint event in progress
    bool dragging_ = false;
    QPoint pressGlobal_;
    QPoint dragOrigin_;
};

} // namespace qtbackend
