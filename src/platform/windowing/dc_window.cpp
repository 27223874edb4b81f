#include "platform/windowing/dc_window.h"

#include "platform/windowing/window_manager.h"

namespace {

RECT ClientOf(HWND hwnd) {
    RECT s = hwnd->ScreenRect();
    return RECT{0, 0, s.right - s.left, s.bottom - s.top};
}

} // namespace

CClientDC::CClientDC(CWnd* wnd) : hwnd_(wnd ? wnd->m_hWnd : nullptr) {
    if (hwnd_) {
        Attach(CreateWindowDC(&hwnd_->surface, ClientOf(hwnd_)));
    }
}

CClientDC::~CClientDC() {
    if (m_hDC) {
        ::DeleteDC(Detach());
    }
    if (windowing::IsLive(hwnd_)) {
        if (windowing::Backend* b = windowing::CurrentBackend()) {
            b->Present(hwnd_, ClientOf(hwnd_));
        }
    }
}

CPaintDC::CPaintDC(CWnd* wnd) : hwnd_(wnd ? wnd->m_hWnd : nullptr) {
    if (!hwnd_) {
        return;
    }
    RECT client = ClientOf(hwnd_);
    IntersectRect(&m_rcPaint, &client, &hwnd_->invalid);
    hwnd_->invalid = RECT{};
    Attach(CreateWindowDC(&hwnd_->surface, m_rcPaint));
}

CPaintDC::~CPaintDC() {
    if (m_hDC) {
        ::DeleteDC(Detach());
    }
    if (windowing::IsLive(hwnd_) && !IsRectEmpty(&m_rcPaint)) {
        if (windowing::Backend* b = windowing::CurrentBackend()) {
            b->Present(hwnd_, m_rcPaint);
        }
    }
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    gdi::Surface* s = dc ? dc->Target() : nullptr;
    if (!s || !icon) {
        return FALSE;
    }
    const RECT clip = dc->DeviceClip();
    const POINT origin = dc->ToDevice(x, y);
    for (int row = 0; row < icon->size; ++row) {
        const int dy = origin.y + row;
        if (dy < clip.top || dy >= clip.bottom) {
            continue;
        }
        for (int col = 0; col < icon->size; ++col) {
            const int dx = origin.x + col;
            const std::size_t i = static_cast<std::size_t>(row) * icon->size + col;
            if (dx < clip.left || dx >= clip.right || icon->mask[i]) {
                continue;
            }
            s->Set(dx, dy, icon->pixels[i]);
        }
    }
    return TRUE;
}
