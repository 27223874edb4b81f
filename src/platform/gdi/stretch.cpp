#include "platform/gdi/dc.h"
#include "platform/gdi/dib.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/stretch_plan.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace gdi {

namespace {

Combine CombineFor(int stretchMode) {
    switch (stretchMode) {
    case WHITEONBLACK:
        return Combine::Or;
    case COLORONCOLOR:
    case HALFTONE:
        return Combine::First;
    default:
        return Combine::And; // BLACKONWHITE, the default of a fresh DC
    }
}

void CombineInto(std::uint32_t* acc, const std::uint32_t* in, std::size_t n, Combine how) {
    switch (how) {
    case Combine::And:
        for (std::size_t i = 0; i < n; ++i) {
            acc[i] &= in[i];
        }
        break;
    case Combine::Or:
        for (std::size_t i = 0; i < n; ++i) {
            acc[i] |= in[i];
        }
        break;
    case Combine::First:
        break;
    }
}

// Stretches the source rectangle (sx, sy) of a sourceWidth x sourceHeight picture onto the
// destination rectangle (dx, dy) of the DC's target, within its clip. rowAt(r, lo, hi) gives the
// pixels of source columns lo to hi of row r; the pointer stays good until the next call.
template <class RowAt>
void StretchRows(DeviceContext& dc, Surface& dst, const Extent& dx, const Extent& dy,
                 const Extent& sx, const Extent& sy, int sourceWidth, int sourceHeight,
                 RowAt rowAt) {
    // The mapping is fixed by the whole rectangles; only then is the destination clipped.
    RECT clip;
    if (!VisibleClip(dst, dc.DeviceClip(), clip)) {
        return;
    }
    const long long x0 = std::max<long long>(dx.origin, clip.left);
    const long long x1 = std::min<long long>(dx.origin + dx.size, clip.right);
    const long long y0 = std::max<long long>(dy.origin, clip.top);
    const long long y1 = std::min<long long>(dy.origin + dy.size, clip.bottom);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    const auto cols = AxisFor(dx, sx, x0, x1, sourceWidth);
    const auto rows = AxisFor(dy, sy, y0, y1, sourceHeight);
    const auto plan = PlanFor(cols);
    if (!plan) {
        return;
    }
    const Combine how = CombineFor(dc.stretchMode);
    const std::size_t n = static_cast<std::size_t>(x1 - x0);
    const int srcLo = plan->sourceLow, srcHi = plan->sourceHigh;
    std::vector<std::uint32_t> combined;
    // A rectangle larger than the caches whose rows are made whole: each row is made in a
    // buffer that stays in the cache and streamed to every destination row it repeats into, so
    // that the frame is written once without being read.
    const bool streaming = plan->everyColumn && WorthStreaming(x1 - x0, y1 - y0);
    std::vector<std::uint32_t> made(streaming ? n : 0);
    int prevFirst = -1, prevEnd = -1;
    const std::uint32_t* prevRow = nullptr;
    for (long long yy = y0; yy < y1; ++yy) {
        const std::size_t j = static_cast<std::size_t>(yy - y0);
        const int r0 = rows->first[j], r1 = rows->end[j];
        if (r0 >= r1) {
            prevRow = nullptr;
            continue;
        }
        std::uint32_t* out = dst.Row(static_cast<int>(yy)) + x0;
        if (prevRow && r0 == prevFirst && r1 == prevEnd) {
            // Enlarging repeats rows: copy the one just made.
            if (streaming) {
                StreamPixels(out, prevRow, n);
            } else {
                std::memcpy(out, prevRow, n * sizeof(std::uint32_t));
            }
            continue;
        }
        const std::uint32_t* base;
        if (r1 - r0 == 1) {
            base = rowAt(r0, srcLo, srcHi);
        } else {
            combined.resize(static_cast<std::size_t>(srcHi - srcLo));
            std::memcpy(combined.data(), rowAt(r0, srcLo, srcHi),
                        combined.size() * sizeof(std::uint32_t));
            for (int r = r0 + 1; r < r1; ++r) {
                CombineInto(combined.data(), rowAt(r, srcLo, srcHi), combined.size(), how);
            }
            base = combined.data();
        }
        // Straight into the destination: the source is never the row written (a blit within
        // one surface reads from a snapshot).
        prevFirst = r0;
        prevEnd = r1;
        if (streaming) {
            plan->WriteRow(base, made.data(), how);
            StreamPixels(out, made.data(), n);
            prevRow = made.data();
        } else {
            plan->WriteRow(base, out, how);
            prevRow = plan->everyColumn ? out : nullptr;
        }
    }
    if (streaming) {
        EndStreaming();
    }
}

} // namespace

BOOL StretchDib(CDC* dc, int x, int y, int width, int height, const DibView& dib, int xSrc,
                int ySrc, int srcWidth, int srcHeight) {
    Surface* dst = dc && dc->m_hDC ? dc->m_hDC->Target() : nullptr;
    if (!dst || !dib.bits) {
        return FALSE;
    }
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0) {
        return TRUE;
    }
    const DevicePoint d = ToDevicePoint(dc->m_hDC->windowOrg, x, y);
    const DibRowReader reader(dib);
    std::vector<std::uint32_t> row;
    StretchRows(*dc->m_hDC, *dst, Normalise(d.x, width), Normalise(d.y, height),
                Normalise(xSrc, srcWidth), Normalise(ySrc, srcHeight), dib.width, dib.height,
                [&](int r, int lo, int hi) {
                    row.resize(static_cast<std::size_t>(hi - lo));
                    reader.Read(r, lo, hi, row.data());
                    return static_cast<const std::uint32_t*>(row.data());
                });
    return TRUE;
}

BOOL StretchPixels(CDC* dc, int x, int y, int width, int height, const Surface& pixels, int xSrc,
                   int ySrc, int srcWidth, int srcHeight) {
    Surface* dst = dc && dc->m_hDC ? dc->m_hDC->Target() : nullptr;
    if (!dst || dst == &pixels) {
        return FALSE;
    }
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0) {
        return TRUE;
    }
    const DevicePoint d = ToDevicePoint(dc->m_hDC->windowOrg, x, y);
    StretchRows(*dc->m_hDC, *dst, Normalise(d.x, width), Normalise(d.y, height),
                Normalise(xSrc, srcWidth), Normalise(ySrc, srcHeight), pixels.Width(),
                pixels.Height(), [&pixels](int r, int lo, int /*hi*/) {
                    return static_cast<const std::uint32_t*>(pixels.Row(r) + lo);
                });
    return TRUE;
}

} // namespace gdi

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                     int srcWidth, int srcHeight, DWORD rop) {
    gdi::Surface* dst = m_hDC ? m_hDC->Target() : nullptr;
    gdi::Surface* from = src && src->m_hDC ? src->m_hDC->Target() : nullptr;
    if (!dst || !from || rop != SRCCOPY) {
        return FALSE;
    }
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0) {
        return TRUE;
    }
    const gdi::DevicePoint d = gdi::ToDevicePoint(m_hDC->windowOrg, x, y);
    const gdi::DevicePoint s = gdi::ToDevicePoint(src->m_hDC->windowOrg, xSrc, ySrc);
    // Blitting within one surface reads from a snapshot, so that no source pixel is read after
    // it has been overwritten.
    gdi::Surface snapshot;
    if (from == dst) {
        snapshot = *from;
        from = &snapshot;
    }
    gdi::StretchRows(*m_hDC, *dst, gdi::Normalise(d.x, width), gdi::Normalise(d.y, height),
                     gdi::Normalise(s.x, srcWidth), gdi::Normalise(s.y, srcHeight), from->Width(),
                     from->Height(), [from](int r, int lo, int /*hi*/) {
                         return static_cast<const std::uint32_t*>(from->Row(r) + lo);
                     });
    return TRUE;
}
