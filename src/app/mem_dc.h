#pragma once
// The off-screen device context: everything drawn into it is copied to the target in one
// transfer when it is destroyed, so the screen never shows a half-drawn frame. A buffer that
// covers the target's whole surface is not copied: it takes the surface's place.

#include "platform/gdi/dc.h"

class CMemDC : public CDC {
  public:
    // What the buffer holds before anything is drawn into it: black, or nothing defined for a
    // caller that paints every pixel of the area (a frame costs one pass less then).
    enum class Start { Black, Overwritten };

    explicit CMemDC(CDC* target, const RECT* area = nullptr, Start start = Start::Black);
    ~CMemDC() override;

  private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
    BOOL m_hasBitmap = FALSE;
};
