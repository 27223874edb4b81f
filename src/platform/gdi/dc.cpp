#include "platform/gdi/dc.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace gdi {

DeviceContext::DeviceContext() {
    pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    bitmap = DefaultBitmap();
}

namespace {

// The one device context of this thread with queued runs, if any. Queuing on another DC or
// touching any target's pixels draws them first, so that everything lands in the order drawn.
thread_local const DeviceContext* queuedDc = nullptr;

} // namespace

DeviceContext::~DeviceContext() {
    Flush();
    DropSelection(pen);
    DropSelection(brush);
    DropSelection(font);
    DropSelection(bitmap);
}

Surface* DeviceContext::RawTarget() const {
    if (memory) {
        return bitmap ? bitmap->surface.get() : nullptr;
    }
    return target;
}

Surface* DeviceContext::Target() const {
    FlushAll();
    return RawTarget();
}

namespace {

constexpr int kColumns = 1;
constexpr int kDiagonals = 2;
constexpr std::size_t kMaxColumns = 65536;
constexpr std::size_t kMaxDiagonals = 64;

} // namespace

bool DeviceContext::Continues(int kind, RopMasks m) const {
    return queuedDc == this && pending_.kind == kind && pending_.masks.andMask == m.andMask &&
           pending_.masks.xorMask == m.xorMask;
}

void DeviceContext::Begin(int kind, RopMasks m) {
    FlushAll();
    pending_.kind = kind;
    pending_.masks = m;
    queuedDc = this;
}

void DeviceContext::QueueVerticalRun(int x, int y0, int y1, RopMasks m) {
    Pending& p = pending_;
    if (!Continues(kColumns, m) || p.y0 != y0 || p.y1 != y1 || p.xs.size() >= kMaxColumns) {
        Begin(kColumns, m);
        p.y0 = y0;
        p.y1 = y1;
    }
    p.xs.push_back(x);
}

void DeviceContext::QueueDiagonal(int slope, long long c, int y0, int y1, RopMasks m) {
    Pending& p = pending_;
    if (!Continues(kDiagonals, m) || p.diagonals.size() >= kMaxDiagonals) {
        Begin(kDiagonals, m);
    }
    p.diagonals.push_back(Diagonal{c, slope, y0, y1});
}

namespace {

// Calls walk with the pixel operation of the masks: a plain store where the pen overwrites.
template <class Walk> void WithPut(RopMasks m, Walk walk) {
    if (m.andMask == 0) {
        walk([v = m.xorMask](std::uint32_t& d) { d = v; });
    } else {
        walk([m](std::uint32_t& d) { ApplyRop(d, m); });
    }
}

} // namespace

void DeviceContext::Flush() const {
    if (queuedDc != this) {
        return;
    }
    queuedDc = nullptr;
    Pending& p = pending_;
    Surface* s = RawTarget();
    // The surface may have changed size since the lines were clipped: nothing lands outside it.
    if (s && p.kind == kColumns) {
        std::erase_if(p.xs, [w = s->Width()](int x) { return x < 0 || x >= w; });
        const int y0 = std::max(p.y0, 0), y1 = std::min(p.y1, s->Height());
        WithPut(p.masks, [&](auto put) {
            for (int y = y0; y < y1; ++y) {
                std::uint32_t* row = s->Row(y);
                for (int x : p.xs) {
                    put(row[x]);
                }
            }
        });
    } else if (s && p.kind == kDiagonals) {
        int y0 = s->Height(), y1 = 0;
        for (const Diagonal& d : p.diagonals) {
            y0 = std::min(y0, std::max(d.y0, 0));
            y1 = std::max(y1, std::min(d.y1, s->Height()));
        }
        const long long w = s->Width();
        WithPut(p.masks, [&](auto put) {
            for (int y = y0; y < y1; ++y) {
                std::uint32_t* row = s->Row(y);
                for (const Diagonal& d : p.diagonals) {
                    const long long x = d.c + static_cast<long long>(d.slope) * y;
                    if (y >= d.y0 && y < d.y1 && x >= 0 && x < w) {
                        put(row[x]);
                    }
                }
            }
        });
    }
    p.xs.clear();
    p.diagonals.clear();
    p.kind = 0;
}

void FlushAll() {
    if (queuedDc) {
        queuedDc->Flush();
    }
}

RECT DeviceContext::DeviceClip() const {
    Surface* s = RawTarget();
    if (!s) {
        return RECT{};
    }
    RECT bounds = s->Bounds();
    if (memory) {
        return bounds;
    }
    RECT r;
    IntersectRect(&r, &bounds, &clip);
    return r;
}

} // namespace gdi

HDC CreateWindowDC(gdi::Surface* surface, const RECT& clip) {
    auto* dc = new gdi::DeviceContext;
    dc->target = surface;
    dc->clip = clip;
    return dc;
}

HDC CreateCompatibleDC(HDC /*reference*/) {
    auto* dc = new gdi::DeviceContext;
    dc->memory = true;
    return dc;
}

BOOL DeleteDC(HDC dc) {
    if (!dc) {
        return FALSE;
    }
    delete dc;
    return TRUE;
}

namespace {

template <class Handle> Handle Swap(Handle& slot, Handle next) {
    Handle previous = slot;
    gdi::AddSelection(next);
    slot = next;
    gdi::DropSelection(previous);
    return previous;
}

template <class Wrapper> Wrapper* WrapperOf(gdi::GdiObject* obj) {
    return static_cast<Wrapper*>(CGdiObject::FromHandle(obj));
}

} // namespace

CDC::~CDC() {
    if (m_hDC) {
        ::DeleteDC(m_hDC);
        if (m_hAttribDC == m_hDC) {
            m_hAttribDC = nullptr;
        }
        m_hDC = nullptr;
    }
}

BOOL CDC::Attach(HDC dc) {
    if (!dc) {
        return FALSE;
    }
    m_hDC = dc;
    m_hAttribDC = dc;
    return TRUE;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* reference) {
    return Attach(::CreateCompatibleDC(reference ? reference->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) {
        return FALSE;
    }
    return ::DeleteDC(Detach());
}

int CDC::GetClipBox(LPRECT rect) const {
    if (!m_hDC || !rect) {
        return 0;
    }
    RECT r = m_hDC->DeviceClip();
    OffsetRect(&r, m_hDC->windowOrg.x, m_hDC->windowOrg.y);
    *rect = r;
    return IsRectEmpty(&r) ? NULLREGION : SIMPLEREGION;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    CPoint previous = m_hDC->windowOrg;
    m_hDC->windowOrg = POINT{x, y};
    return previous;
}

CPoint CDC::GetWindowOrg() const {
    return m_hDC->windowOrg;
}

CPen* CDC::SelectObject(CPen* pen) {
    if (!pen || !pen->m_hObject) {
        return nullptr;
    }
    return WrapperOf<CPen>(Swap(m_hDC->pen, static_cast<HPEN>(pen->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (!brush || !brush->m_hObject) {
        return nullptr;
    }
    return WrapperOf<CBrush>(Swap(m_hDC->brush, static_cast<HBRUSH>(brush->m_hObject)));
}

CFont* CDC::SelectObject(CFont* font) {
    if (!font || !font->m_hObject) {
        return nullptr;
    }
    return WrapperOf<CFont>(Swap(m_hDC->font, static_cast<HFONT>(font->m_hObject)));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    // Only memory DCs hold a bitmap.
    if (!bitmap || !bitmap->m_hObject || !m_hDC->memory) {
        return nullptr;
    }
    m_hDC->Flush(); // what is queued belongs on the bitmap being deselected
    return WrapperOf<CBitmap>(Swap(m_hDC->bitmap, static_cast<HBITMAP>(bitmap->m_hObject)));
}

CGdiObject* CDC::SelectStockObject(int index) {
    HGDIOBJ obj = GetStockObject(index);
    if (auto* pen = dynamic_cast<gdi::PenObject*>(obj)) {
        return WrapperOf<CGdiObject>(Swap(m_hDC->pen, pen));
    }
    if (auto* brush = dynamic_cast<gdi::BrushObject*>(obj)) {
        return WrapperOf<CGdiObject>(Swap(m_hDC->brush, brush));
    }
    if (auto* font = dynamic_cast<gdi::FontObject*>(obj)) {
        return WrapperOf<CGdiObject>(Swap(m_hDC->font, font));
    }
    return nullptr;
}

CPen* CDC::GetCurrentPen() const {
    return WrapperOf<CPen>(m_hDC->pen);
}
CBrush* CDC::GetCurrentBrush() const {
    return WrapperOf<CBrush>(m_hDC->brush);
}
CFont* CDC::GetCurrentFont() const {
    return WrapperOf<CFont>(m_hDC->font);
}
CBitmap* CDC::GetCurrentBitmap() const {
    return WrapperOf<CBitmap>(m_hDC->bitmap);
}

COLORREF CDC::SetBkColor(COLORREF color) {
    return std::exchange(m_hDC->bkColor, color & 0x00FFFFFF);
}
COLORREF CDC::GetBkColor() const {
    return m_hDC->bkColor;
}
COLORREF CDC::SetTextColor(COLORREF color) {
    return std::exchange(m_hDC->textColor, color & 0x00FFFFFF);
}
COLORREF CDC::GetTextColor() const {
    return m_hDC->textColor;
}

int CDC::SetBkMode(int mode) {
    if (mode != OPAQUE && mode != TRANSPARENT) {
        return 0;
    }
    return std::exchange(m_hDC->bkMode, mode);
}
int CDC::GetBkMode() const {
    return m_hDC->bkMode;
}

int CDC::SetROP2(int mode) {
    if (mode < R2_BLACK || mode > R2_WHITE) {
        return 0;
    }
    return std::exchange(m_hDC->rop2, mode);
}
int CDC::GetROP2() const {
    return m_hDC->rop2;
}

int CDC::SetStretchBltMode(int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) {
        return 0;
    }
    return std::exchange(m_hDC->stretchMode, mode);
}
int CDC::GetStretchBltMode() const {
    return m_hDC->stretchMode;
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    SetBkColor(color);
    gdi::Surface* s = m_hDC->Target();
    if (!s || !rect) {
        return;
    }
    POINT a = m_hDC->ToDevice(rect->left, rect->top);
    POINT b = m_hDC->ToDevice(rect->right, rect->bottom);
    RECT r{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    gdi::FillRect(*s, m_hDC->DeviceClip(), r, gdi::ToPixel(color));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, color);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD /*rop*/) {
    gdi::Surface* dst = m_hDC ? m_hDC->Target() : nullptr;
    gdi::Surface* from = src && src->m_hDC ? src->m_hDC->Target() : nullptr;
    if (!dst || !from || width <= 0 || height <= 0) {
        return FALSE;
    }
    POINT d = m_hDC->ToDevice(x, y);
    POINT s = src->m_hDC->ToDevice(xSrc, ySrc);
    RECT dstClip = m_hDC->DeviceClip();
    RECT srcBounds = from->Bounds();
    // Rows and columns are copied only where both the source and the destination exist.
    int x0 = std::max({d.x, static_cast<int>(dstClip.left), d.x + (srcBounds.left - s.x)});
    int x1 =
        std::min({d.x + width, static_cast<int>(dstClip.right), d.x + (srcBounds.right - s.x)});
    int y0 = std::max({d.y, static_cast<int>(dstClip.top), d.y + (srcBounds.top - s.y)});
    int y1 =
        std::min({d.y + height, static_cast<int>(dstClip.bottom), d.y + (srcBounds.bottom - s.y)});
    if (x0 >= x1 || y0 >= y1) {
        return TRUE;
    }
    const int sx0 = x0 - d.x + s.x;
    const std::size_t rowBytes = static_cast<std::size_t>(x1 - x0) * sizeof(std::uint32_t);
    if (x0 == 0 && sx0 == 0 && x1 == dst->Width() && dst->Width() == from->Width()) {
        // Whole rows on both sides lie back to back: one copy (a frame buffer going to its
        // window, typically).
        std::memmove(dst->Row(y0), from->Row(y0 - d.y + s.y),
                     rowBytes * static_cast<std::size_t>(y1 - y0));
        return TRUE;
    }
    // Within one surface the rows are taken in the order that reads each before it is written.
    const bool upward = from == dst && d.y > s.y;
    for (int i = 0; i < y1 - y0; ++i) {
        const int yy = upward ? y1 - 1 - i : y0 + i;
        std::memmove(dst->Row(yy) + x0, from->Row(yy - d.y + s.y) + sx0, rowBytes);
    }
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* /*dc*/, int width, int height) {
    return Attach(CreateBitmap32(width, height));
}
