#include "platform/gdi/dc.h"

#include <algorithm>
#include <utility>

namespace gdi {

DeviceContext::DeviceContext() {
    SetPen(static_cast<HPEN>(GetStockObject(BLACK_PEN)));
    brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    bitmap = DefaultBitmap();
}

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

void FlushAll() {
    LineQueue::FlushAll();
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
    return std::exchange(m_hDC->windowOrg, POINT{x, y});
}

CPoint CDC::GetWindowOrg() const {
    return m_hDC->windowOrg;
}

CPen* CDC::SelectObject(CPen* pen) {
    if (!pen || !pen->m_hObject) {
        return nullptr;
    }
    CPen* previous = GetCurrentPen();
    m_hDC->SetPen(static_cast<HPEN>(pen->m_hObject));
    return previous;
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
        CGdiObject* previous = WrapperOf<CGdiObject>(m_hDC->pen);
        m_hDC->SetPen(pen);
        return previous;
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

namespace {

// Sets a mode whose values run from first to last; any other value fails (0) and changes nothing.
int SetMode(int& slot, int mode, int first, int last) {
    return mode < first || mode > last ? 0 : std::exchange(slot, mode);
}

} // namespace

int CDC::SetBkMode(int mode) {
    return SetMode(m_hDC->bkMode, mode, TRANSPARENT, OPAQUE);
}
int CDC::GetBkMode() const {
    return m_hDC->bkMode;
}

int CDC::SetROP2(int mode) {
    return SetMode(m_hDC->rop2, mode, R2_BLACK, R2_WHITE);
}
int CDC::GetROP2() const {
    return m_hDC->rop2;
}

int CDC::SetStretchBltMode(int mode) {
    return SetMode(m_hDC->stretchMode, mode, BLACKONWHITE, HALFTONE);
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

BOOL CBitmap::CreateCompatibleBitmap(CDC* /*dc*/, int width, int height) {
    return Attach(CreateBitmap32(width, height));
}
