#pragma once
// Selects a pen, brush or font into a DC for one scope and selects back the object it replaced
// when the scope ends: the way every drawing step leaves the DC as it found it.

#include "platform/gdi/dc.h"

class ScopedSelect {
  public:
    ScopedSelect(CDC* dc, CPen* pen) : dc_(dc), old_(dc->SelectObject(pen)) {}
    ScopedSelect(CDC* dc, CBrush* brush) : dc_(dc), old_(dc->SelectObject(brush)) {}
    ScopedSelect(CDC* dc, CFont* font) : dc_(dc), old_(dc->SelectObject(font)) {}
    // A stock object by its index (NULL_BRUSH, ...).
    ScopedSelect(CDC* dc, int stockObject) : dc_(dc), old_(dc->SelectStockObject(stockObject)) {}
    ~ScopedSelect() {
        if (auto* pen = dynamic_cast<CPen*>(old_)) {
            dc_->SelectObject(pen);
        } else if (auto* brush = dynamic_cast<CBrush*>(old_)) {
            dc_->SelectObject(brush);
        } else if (auto* font = dynamic_cast<CFont*>(old_)) {
            dc_->SelectObject(font);
        }
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    CDC* dc_;
    CGdiObject* old_;
};
