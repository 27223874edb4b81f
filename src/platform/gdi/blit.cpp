#include "platform/gdi/dc.h"

#include <algorithm>
#include <cstring>

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

BOOL CDC::BitBltAndDiscard(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc) {
    gdi::Surface* dst = m_hDC ? m_hDC->Target() : nullptr;
    const HDC from = src ? src->m_hDC : nullptr;
    gdi::Surface* bits =
        from && from->memory && from->bitmap ? from->bitmap->surface.get() : nullptr;
    // The bitmap's pixels may be handed over only when nothing else holds its surface.
    if (dst && bits && bits != dst && from->Target() == bits &&
        from->bitmap->surface.use_count() == 1 && bits->Store() == dst->Store() &&
        bits->Width() == dst->Width() && bits->Height() == dst->Height() && width == dst->Width() &&
        height == dst->Height()) {
        const POINT d = m_hDC->ToDevice(x, y);
        const POINT s = from->ToDevice(xSrc, ySrc);
        const RECT clip = m_hDC->DeviceClip();
        const bool unclipped = clip.left == 0 && clip.top == 0 && clip.right == dst->Width() &&
                               clip.bottom == dst->Height();
        if (d.x == 0 && d.y == 0 && s.x == 0 && s.y == 0 && unclipped) {
            dst->Pixels().swap(bits->Pixels());
            return TRUE;
        }
    }
    return BitBlt(x, y, width, height, src, xSrc, ySrc, SRCCOPY);
}
