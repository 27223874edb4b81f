#include "platform/gdi/objects.h"

#include "platform/gdi/out_of_memory.h"

#include <array>
#include <memory>
#include <new>

namespace gdi {

void Release(GdiObject* obj) {
    if (!obj || obj->stock) {
        return;
    }
    if (obj->selections > 0) {
        obj->deletePending = true;
        return;
    }
    delete obj;
}

void AddSelection(GdiObject* obj) {
    if (obj) {
        ++obj->selections;
    }
}

void DropSelection(GdiObject* obj) {
    if (!obj) {
        return;
    }
    --obj->selections;
    if (obj->selections == 0 && obj->deletePending) {
        delete obj;
    }
}

namespace {

template <class T> T* MakeStock() {
    T* obj = new T;
    obj->stock = true;
    return obj;
}

struct StockTable {
    std::array<GdiObject*, 20> objects{};
    std::array<std::unique_ptr<CGdiObject>, 20> wrappers{};

    StockTable() {
        auto brush = [](UINT style, COLORREF color) {
            auto* b = MakeStock<BrushObject>();
            b->style = style;
            b->color = color;
            return b;
        };
        auto pen = [](int style, COLORREF color) {
            auto* p = MakeStock<PenObject>();
            p->style = style;
            p->color = color;
            return p;
        };
        objects[WHITE_BRUSH] = brush(BS_SOLID, 0xFFFFFF);
        objects[LTGRAY_BRUSH] = brush(BS_SOLID, 0xC0C0C0);
        objects[GRAY_BRUSH] = brush(BS_SOLID, 0x808080);
        objects[DKGRAY_BRUSH] = brush(BS_SOLID, 0x404040);
        objects[BLACK_BRUSH] = brush(BS_SOLID, 0x000000);
        objects[NULL_BRUSH] = brush(BS_NULL, 0);
        objects[WHITE_PEN] = pen(PS_SOLID, 0xFFFFFF);
        objects[BLACK_PEN] = pen(PS_SOLID, 0x000000);
        objects[NULL_PEN] = pen(PS_NULL, 0);
        // The system font: a bold sans with a 16-pixel cell.
        auto* font = MakeStock<FontObject>();
        font->height = 16;
        font->weight = FW_BOLD;
        font->faceName = "System";
        objects[SYSTEM_FONT] = font;
        auto* guiFont = MakeStock<FontObject>();
        guiFont->height = 16;
        guiFont->weight = FW_NORMAL;
        guiFont->faceName = "System";
        objects[DEFAULT_GUI_FONT] = guiFont;
        // The 1 x 1 bitmap selected into every new memory DC.
        auto* bitmap = MakeStock<BitmapObject>();
        bitmap->surface = std::make_shared<Surface>(1, 1, 0);
        bitmap->bitsPixel = 1;
        objects[19] = bitmap;

        for (std::size_t i = 0; i < objects.size(); ++i) {
            if (!objects[i]) {
                continue;
            }
            std::unique_ptr<CGdiObject> w;
            if (dynamic_cast<PenObject*>(objects[i])) {
                w = std::make_unique<CPen>();
            } else if (dynamic_cast<BrushObject*>(objects[i])) {
                w = std::make_unique<CBrush>();
            } else if (dynamic_cast<FontObject*>(objects[i])) {
                w = std::make_unique<CFont>();
            } else {
                w = std::make_unique<CBitmap>();
            }
            w->m_hObject = objects[i];
            objects[i]->wrapper = w.get();
            wrappers[i] = std::move(w);
        }
    }
};

// Stock objects are immutable and shared by every DC of the process, as on the platform.
const StockTable& Stock() {
    static const StockTable table;
    return table;
}

} // namespace

HBITMAP DefaultBitmap() {
    return static_cast<HBITMAP>(Stock().objects[19]);
}

} // namespace gdi

HPEN CreatePen(int style, int width, COLORREF color) {
    auto* p = new gdi::PenObject;
    p->style = style;
    p->width = width < 1 ? 1 : width;
    p->color = color & 0x00FFFFFF;
    return p;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto* b = new gdi::BrushObject;
    b->style = BS_SOLID;
    b->color = color & 0x00FFFFFF;
    return b;
}

HFONT CreateFontA(int height, int width, int /*escapement*/, int /*orientation*/, int weight,
                  DWORD italic, DWORD /*underline*/, DWORD /*strikeOut*/, DWORD charSet,
                  DWORD /*outPrecision*/, DWORD /*clipPrecision*/, DWORD quality,
                  DWORD pitchAndFamily, const char* faceName) {
    auto* f = new gdi::FontObject;
    f->height = height;
    f->width = width;
    f->weight = weight == 0 ? FW_NORMAL : weight;
    f->italic = italic != 0;
    f->charSet = static_cast<BYTE>(charSet);
    f->pitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    f->quality = static_cast<BYTE>(quality);
    f->faceName = faceName ? faceName : "";
    return f;
}

HBITMAP CreateBitmap32(int width, int height) {
    // As the platform's bitmap creation, a size the memory cannot hold gives no bitmap rather
    // than an exception through the caller's frame.
    try {
        auto b = std::make_unique<gdi::BitmapObject>();
        b->surface = std::make_shared<gdi::Surface>(width, height, 0);
        b->bitsPixel = 32;
        return b.release();
    } catch (const std::bad_alloc&) {
        gdi::ReportOutOfMemory(width, height);
        return nullptr;
    }
}

HBITMAP CreateBitmap32ForOverwrite(int width, int height, gdi::PixelStore* store) {
    try {
        auto b = std::make_unique<gdi::BitmapObject>();
        b->surface = std::make_shared<gdi::Surface>();
        b->surface->SetPixelStore(store);
        b->surface->ResizeForOverwrite(width, height);
        b->bitsPixel = 32;
        return b.release();
    } catch (const std::bad_alloc&) {
        gdi::ReportOutOfMemory(width, height);
        return nullptr;
    }
}

HGDIOBJ GetStockObject(int id) {
    const auto& objects = gdi::Stock().objects;
    if (id < 0 || id >= static_cast<int>(objects.size()) || id == 19) {
        return nullptr;
    }
    return objects[static_cast<std::size_t>(id)];
}

BOOL DeleteObject(HGDIOBJ obj) {
    if (!obj || obj->stock) {
        return FALSE;
    }
    if (obj->wrapper) {
        obj->wrapper->m_hObject = nullptr;
        obj->wrapper = nullptr;
    }
    gdi::Release(obj);
    return TRUE;
}

int GetObjectA(HGDIOBJ obj, int size, void* out) {
    auto* bitmap = dynamic_cast<gdi::BitmapObject*>(obj);
    if (!bitmap || !out || size < static_cast<int>(sizeof(BITMAP))) {
        return 0;
    }
    BITMAP bm;
    bm.bmWidth = bitmap->surface ? bitmap->surface->Width() : 0;
    bm.bmHeight = bitmap->surface ? bitmap->surface->Height() : 0;
    bm.bmBitsPixel = static_cast<WORD>(bitmap->bitsPixel);
    bm.bmWidthBytes = ((bm.bmWidth * bm.bmBitsPixel + 15) / 16) * 2;
    *static_cast<BITMAP*>(out) = bm;
    return sizeof(BITMAP);
}

CGdiObject::~CGdiObject() {
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ obj) {
    if (!obj) {
        return FALSE;
    }
    DeleteObject();
    m_hObject = obj;
    if (!obj->stock) {
        obj->wrapper = this;
    }
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ obj = m_hObject;
    if (obj && obj->wrapper == this) {
        obj->wrapper = nullptr;
    }
    m_hObject = nullptr;
    return obj;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) {
        return FALSE;
    }
    if (m_hObject->stock) {
        m_hObject = nullptr; // the stock wrappers are the only owners of stock handles
        return FALSE;
    }
    return ::DeleteObject(m_hObject);
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ obj) {
    return obj ? obj->wrapper : nullptr;
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    return Attach(::CreatePen(style, width, color));
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    return Attach(::CreateSolidBrush(color));
}

BOOL CFont::CreateFontA(int height, int width, int escapement, int orientation, int weight,
                        BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                        BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                        const char* faceName) {
    return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                                strikeOut, charSet, outPrecision, clipPrecision, quality,
                                pitchAndFamily, faceName));
}
