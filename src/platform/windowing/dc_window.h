#pragma once
// Device contexts on a window's client area: CClientDC for drawing at any time, CPaintDC for
// answering WM_PAINT. Both show what was drawn when they are destroyed.

#include "platform/gdi/dc.h"
#include "platform/windowing/wnd.h"

class CClientDC : public CDC {
  public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

  private:
    HWND hwnd_;
};

class CPaintDC : public CDC {
  public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    RECT m_rcPaint{}; // the area being repainted, client coordinates

  private:
    HWND hwnd_;
};

// Draws an icon at its own size with its upper-left corner at (x, y).
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
