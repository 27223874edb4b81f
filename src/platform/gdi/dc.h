#pragma once
// Device contexts. A DeviceContext (HDC) holds the drawing state; CDC is the framework wrapper
// whose methods are the drawing verbs the program uses. Coordinates passed to CDC are logical;
// device = logical - window origin. Drawing is limited to the DC's clip box and its surface.
//
// The verbs are implemented by area: dc.cpp (state, fills, selection), lines.cpp, shapes.cpp,
// blit.cpp, text_dc.cpp, edge.cpp.

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

    // One-pixel vertical and 45-degree lines are queued rather than drawn a row apart pixel by
    // pixel. A batch of lines with the same raster operation is drawn row by row when anything
    // else touches the target's pixels, the bitmap is deselected or the DC goes: vertical runs
    // over the same rows (a column pattern, a grid), or diagonals (a ramp of adjacent ones).
    // Each line has at most one pixel in a row and the lines of a row are drawn in the order
    // queued, so every pixel sees its lines in that order. Device coordinates, already clipped.
    void QueueVerticalRun(int x, int y0, int y1, RopMasks m);
    // The pixels (c + slope * y, y) for y0 <= y < y1; slope is 1 or -1.
    void QueueDiagonal(int slope, long long c, int y0, int y1, RopMasks m);
    void Flush() const;

  private:
    Surface* RawTarget() const;
    // Starts a new batch of the kind unless the queued one is of that kind and raster operation.
    bool Continues(int kind, RopMasks m) const;
    void Begin(int kind, RopMasks m);

    struct Diagonal {
        long long c;
        int slope;
        int y0, y1;
    };
    struct Pending {
        int kind = 0; // kColumns or kDiagonals
        RopMasks masks{};
        int y0 = 0, y1 = 0; // the rows of every column
        std::vector<int> xs;
        std::vector<Diagonal> diagonals;
    };
    mutable Pending pending_;
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

class CDC {
  public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
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
    BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);

    BOOL TextOut(int x, int y, std::string_view text);
    CSize GetTextExtent(std::string_view text) const;
    int DrawText(std::string_view text, LPRECT rect, UINT format);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags) {
        return ::DrawEdge(m_hDC, rect, edge, flags);
    }
};
