#pragma once
// Device contexts. A DeviceContext (HDC) holds the drawing state; CDC is the framework wrapper
// whose methods are the drawing verbs the program uses. Coordinates passed to CDC are logical;
// device = logical - window origin. Drawing is limited to the DC's clip box and its surface.
//
// Where the verbs live: dc.cpp (the DC's life cycle, selection, state, fills), blit.cpp (BitBlt),
// line_queue.cpp (the queue of one-pixel lines), lines.cpp (MoveTo, LineTo and the one-pixel line
// rules), wide_lines.cpp (pens wider than one pixel), shapes.cpp (Rectangle, Ellipse),
// arc.cpp (AngleArc), stretch.cpp (StretchBlt), text_dc.cpp (TextOut, DrawText, text extents),
// edge.cpp (DrawEdge), image.cpp (CImage), dib.cpp (bitmaps from packed DIBs); the objects the
// DC selects are made in objects.cpp.

#include "platform/base/no_copy.h"
#include "platform/gdi/line_queue.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/raster.h"

#include <string>
#include <string_view>
#include <vector>

namespace gdi {

struct DeviceContext {
    // Where the pixels go: for a memory DC the selected bitmap's surface, for a window DC the
    // window's surface.
    Surface* target = nullptr;
    bool memory = false;
    // The area of the target that may be drawn, in device coordinates. Memory DCs always use the
    // whole bitmap.
    RECT clip{};

    POINT windowOrg{};
    POINT position{};
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    COLORREF bkColor = 0xFFFFFF;
    COLORREF textColor = 0x000000;
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int stretchMode = BLACKONWHITE;

    DeviceContext();
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // The surface to draw on or read from, with every queued run drawn first.
    Surface* Target() const;
    // The drawable area in device coordinates: clip box within the target's bounds.
    RECT DeviceClip() const;
    POINT ToDevice(int x, int y) const { return POINT{x - windowOrg.x, y - windowOrg.y}; }

    // Queued one-pixel lines (line_queue.h); drawn before the target is touched.
    LineQueue lines{
        this, [](const void* dc) { return static_cast<const DeviceContext*>(dc)->RawTarget(); }};
    void Flush() const { lines.Flush(); }

    // Selects a pen and the stroke that LineTo draws with it.
    void SetPen(HPEN next);
    // How LineTo draws with the selected pen, chosen when the pen is selected: nothing for a
    // null pen, the one-pixel line rules, or a wide line. a and b are device points.
    using Stroke = void (*)(DeviceContext& dc, DevicePoint a, DevicePoint b);
    Stroke stroke = nullptr;

  private:
    Surface* RawTarget() const;
};

// Draws what the device contexts of this thread have queued: needed before reading a selected
// bitmap's pixels other than through its DC, as GdiFlush is on the platform.
void FlushAll();

HBITMAP DefaultBitmap();

} // namespace gdi

using HDC = gdi::DeviceContext*;

// A DC drawing onto a window's surface, clipped to clip (device coordinates).
HDC CreateWindowDC(gdi::Surface* surface, const RECT& clip);
HDC CreateCompatibleDC(HDC reference);
BOOL DeleteDC(HDC dc);
BOOL GetTextExtentPoint32A(HDC dc, const char* text, int length, SIZE* size);
BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags);
COLORREF GetSysColor(int index);

class CDC : private base::NoCopy {
  public:
    CDC() = default;
    virtual ~CDC();

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

    HDC GetSafeHdc() const { return m_hDC; }
    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* reference);
    BOOL DeleteDC();
    BOOL IsPrinting() const { return m_bPrinting; }

    int GetClipBox(LPRECT rect) const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const;

    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    int SetROP2(int mode);
    int GetROP2() const;
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const;

    // Fills [left, right) x [top, bottom) and leaves the background colour set to color.
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const;

    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
    BOOL AngleArc(int x, int y, int radius, float startAngle, float sweepAngle);

    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
    // BitBlt(SRCCOPY) for a caller that deletes src's bitmap next without reading it again: when
    // the copy takes the whole of src's bitmap onto the whole of this DC's surface, unclipped,
    // and both keep their pixels in the same place (CreateBitmap32ForOverwrite's store), the two
    // exchange their pixel memory instead of copying the frame. src's pixels are undefined after.
    BOOL BitBltAndDiscard(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);

    BOOL TextOut(int x, int y, std::string_view text);
    CSize GetTextExtent(std::string_view text) const;
    int DrawText(std::string_view text, LPRECT rect, UINT format);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags) {
        return ::DrawEdge(m_hDC, rect, edge, flags);
    }
};
