#pragma once
// A memory DC drawing into its own bitmap, the way the program's paint gives the patterns a
// frame, and what a routine leaves behind in one.

#include "platform/gdi/dc.h"
#include "support/pixels.h"

#include <optional>

namespace testing_support {

class MemoryFrame {
  public:
    // A fresh bitmap is black; fill paints it (and so sets the DC's background colour) first.
    MemoryFrame(int width, int height, std::optional<COLORREF> fill = std::nullopt) {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, width, height);
        old_ = dc.SelectObject(&bitmap);
        if (fill) {
            dc.FillSolidRect(0, 0, width, height, *fill);
        }
    }
    ~MemoryFrame() {
        if (dc.m_hDC) {
            dc.SelectObject(old_);
        }
    }
    MemoryFrame(const MemoryFrame&) = delete;
    MemoryFrame& operator=(const MemoryFrame&) = delete;

    // The bitmap's pixels, with what the DC has queued drawn first.
    gdi::Surface& Pixels() const { return PixelsOf(bitmap); }

    CBitmap bitmap; // declared first so that the DC lets go of it before it is deleted
    CDC dc;

  private:
    CBitmap* old_ = nullptr;
};

// The objects selected into a DC.
struct Selection {
    HPEN pen;
    HBRUSH brush;
    HFONT font;
    HBITMAP bitmap;

    static Selection Of(const CDC& dc) {
        return {dc.m_hDC->pen, dc.m_hDC->brush, dc.m_hDC->font, dc.m_hDC->bitmap};
    }
    bool operator==(const Selection&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Selection& s) {
    return out << "pen " << s.pen << ", brush " << s.brush << ", font " << s.font << ", bitmap "
               << s.bitmap;
}

// What a routine left behind in a memory DC: the frame, and the DC's selection before and after
// and its state after.
struct Drawn {
    gdi::Surface frame;
    Selection before{}, after{};
    COLORREF textColor = 0;
    COLORREF bkColor = 0;
    int bkMode = 0;
    int rop = 0;
};

// Runs draw(&dc) on a fresh memory DC with a width x height bitmap.
template <class Routine> Drawn DrawInto(int width, int height, Routine draw) {
    MemoryFrame target(width, height);
    Drawn d;
    d.before = Selection::Of(target.dc);
    draw(&target.dc);
    d.after = Selection::Of(target.dc);
    d.frame = target.Pixels();
    d.textColor = target.dc.GetTextColor();
    d.bkColor = target.dc.GetBkColor();
    d.bkMode = target.dc.GetBkMode();
    d.rop = target.dc.GetROP2();
    return d;
}

} // namespace testing_support
