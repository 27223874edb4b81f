#pragma once
// GDI objects: the handle-level objects (what a device context selects) and their framework
// wrappers CGdiObject, CPen, CBrush, CFont and CBitmap.

#include "platform/base/no_copy.h"
#include "platform/gdi/constants.h"
#include "platform/gdi/surface.h"

#include <memory>
#include <string>

class CGdiObject;

namespace gdi {

class Typeface; // a resolved font face at one pixel size; see text.h

// Base of every handle-level object. Stock objects are never deleted. An object that is still
// selected into a device context when it is deleted lives on until it is deselected, so a DC
// never points at freed memory.
struct GdiObject {
    virtual ~GdiObject() = default;
    bool stock = false;
    int selections = 0;            // number of DCs that have it selected
    bool deletePending = false;    // DeleteObject was called while selected
    CGdiObject* wrapper = nullptr; // the framework object attached to it, if any
};

struct PenObject : GdiObject {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct BrushObject : GdiObject {
    UINT style = BS_SOLID;
    COLORREF color = 0;
};

struct FontObject : GdiObject {
    int height = 0; // > 0: cell height; < 0: character (em) height; 0: default
    int width = 0;
    int weight = FW_NORMAL;
    bool italic = false;
    BYTE charSet = ANSI_CHARSET;
    BYTE pitchAndFamily = 0;
    BYTE quality = DEFAULT_QUALITY;
    std::string faceName;
    // Resolved lazily by the text code, then kept for the object's life.
    mutable std::shared_ptr<Typeface> typeface;
};

struct BitmapObject : GdiObject {
    std::shared_ptr<Surface> surface; // 32-bit pixels, whatever the source format was
    int bitsPixel = 32;
};

void Release(GdiObject* obj); // DeleteObject's work, honouring stock and selection
void AddSelection(GdiObject* obj);
void DropSelection(GdiObject* obj);

} // namespace gdi

using HGDIOBJ = gdi::GdiObject*;
using HPEN = gdi::PenObject*;
using HBRUSH = gdi::BrushObject*;
using HFONT = gdi::FontObject*;
using HBITMAP = gdi::BitmapObject*;

HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* faceName);
HBITMAP CreateBitmap32(int width, int height);
// The same with the pixels left undefined, for a caller that writes every one of them before
// anything reads it: it saves a pass over the bitmap. The pixels come from store when one is
// given (that of the surface the bitmap is to be shown on, see CDC::BitBltAndDiscard).
HBITMAP CreateBitmap32ForOverwrite(int width, int height, gdi::PixelStore* store = nullptr);
HGDIOBJ GetStockObject(int id);
BOOL DeleteObject(HGDIOBJ obj);

// The BITMAP record of GetObject (24 bytes on the platform's 64-bit ABI: 4 LONG/WORD fields,
// then the bits pointer).
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};
int GetObjectA(HGDIOBJ obj, int size, void* out);

class CGdiObject : private base::NoCopy {
  public:
    CGdiObject() = default;
    virtual ~CGdiObject();

    HGDIOBJ m_hObject = nullptr;

    BOOL Attach(HGDIOBJ obj);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    int GetObject(int size, void* out) const { return ::GetObjectA(m_hObject, size, out); }

    // The framework object for a handle: its own wrapper, or for a stock object the permanent
    // wrapper of that stock object.
    static CGdiObject* FromHandle(HGDIOBJ obj);
};

class CPen : public CGdiObject {
  public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
  public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
  public:
    BOOL CreateFontA(int height, int width, int escapement, int orientation, int weight,
                     BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                     BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* faceName);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject {
  public:
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    int GetBitmap(BITMAP* out) const { return GetObject(sizeof(BITMAP), out); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};
