#include "app/mem_dc.h"

CMemDC::CMemDC(CDC* target, const RECT* area, Start start) : m_pDC(target), m_rect(0, 0, 0, 0) {
    m_bMemDC = !target->IsPrinting();
    if (m_bMemDC) {
        if (area) {
            m_rect = *area;
        } else {
            target->GetClipBox(&m_rect);
        }
        CreateCompatibleDC(target);
        // Without a bitmap (too large for the memory left) the drawing goes nowhere and the
        // target gets a black frame instead.
        if (start == Start::Overwritten) {
            // Kept where the target keeps its pixels (for a window, memory the window system
            // shows from), so that the finished frame can take the target's place.
            const gdi::Surface* onto =
                target->GetSafeHdc() ? target->GetSafeHdc()->Target() : nullptr;
            m_bitmap.Attach(CreateBitmap32ForOverwrite(m_rect.Width(), m_rect.Height(),
                                                       onto ? onto->Store() : nullptr));
            m_hasBitmap = m_bitmap.GetSafeHandle() != nullptr;
        } else {
            m_hasBitmap = m_bitmap.CreateCompatibleBitmap(target, m_rect.Width(), m_rect.Height());
        }
        m_oldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        m_bPrinting = target->m_bPrinting;
        m_hDC = target->m_hDC;
        m_hAttribDC = target->m_hAttribDC;
    }
}

CMemDC::~CMemDC() {
    if (m_bMemDC) {
        if (m_hasBitmap) {
            // The buffer is deleted next: a frame of the target's whole surface changes places
            // with it instead of being copied.
            m_pDC->BitBltAndDiscard(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this,
                                    m_rect.left, m_rect.top);
            SelectObject(m_oldBitmap);
        } else {
            m_pDC->FillSolidRect(&m_rect, RGB(0, 0, 0));
        }
    } else {
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
    // m_bitmap is destroyed next (deleting the buffer), then the base deletes the memory DC.
}
