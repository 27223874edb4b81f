#include "platform/gdi/dc.h"
#include "platform/gdi/dib.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/stretch_map.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace gdi {

namespace {

// A blit extent along one axis in device pixels, normalised: a negative size counts back from
// the origin's pixel and mirrors.
struct Extent {
    long long origin;
    long long size;
    bool mirrored;
};

Extent Normalise(long long origin, long long size) {
    if (size < 0) {
        return Extent{origin + size + 1, -size, true};
    }
    return Extent{origin, size, false};
}

// The source pixels of each visible destination pixel along one axis, limited to the source
// surface; an empty run leaves its destination pixels alone.
struct AxisTable {
    std::vector<int> first;
    std::vector<int> end;
    bool singles = true; // every run is exactly one pixel
};

AxisTable BuildAxis(const Extent& dst, const Extent& src, long long visibleFrom,
                    long long visibleTo, long long sourceLimit) {
    AxisTable t;
    const auto n = static_cast<std::size_t>(visibleTo - visibleFrom);
    t.first.resize(n);
    t.end.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const long long p = visibleFrom + static_cast<long long>(i) - dst.origin;
        const long long d = dst.mirrored ? dst.size - 1 - p : p;
        const SourceRun run = MapStretchAxis(d, src.size, dst.size);
        long long s0 = src.mirrored ? src.origin + src.size - run.end : src.origin + run.first;
        long long s1 = s0 + (run.end - run.first);
        s0 = std::max(s0, 0LL);
        s1 = std::min(s1, sourceLimit);
        if (s0 >= s1) {
            s0 = s1 = 0;
        }
        t.first[i] = static_cast<int>(s0);
        t.end[i] = static_cast<int>(s1);
        t.singles = t.singles && s1 - s0 == 1;
    }
    return t;
}

// How the source pixels that shrink into one destination pixel combine.
enum class Combine { And, Or, First };

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

std::uint32_t CombineRun(const std::uint32_t* p, int n, Combine how) {
    std::uint32_t v = p[0];
    for (int i = 1; i < n; ++i) {
        v = how == Combine::And ? (v & p[i]) : how == Combine::Or ? (v | p[i]) : v;
    }
    return v;
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
    const AxisTable cols = BuildAxis(dx, sx, x0, x1, sourceWidth);
    const AxisTable rows = BuildAxis(dy, sy, y0, y1, sourceHeight);
    const Combine how = CombineFor(dc.stretchMode);
    const std::size_t n = static_cast<std::size_t>(x1 - x0);

    // Columns with a source, and the span of source columns they read.
    bool allColumns = true;
    int srcLo = sourceWidth, srcHi = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (cols.first[i] < cols.end[i]) {
            srcLo = std::min(srcLo, cols.first[i]);
            srcHi = std::max(srcHi, cols.end[i]);
        } else {
            allColumns = false;
        }
    }
    if (srcLo >= srcHi) {
        return;
    }
    // Runs of columns that read consecutive single source columns, as at the same width or
    // shrinking by a little, are copied whole; the columns between them go one by one. Worth it
    // only when the runs are long.
    struct Run {
        std::size_t at;
        std::size_t length;
    };
    std::vector<Run> runs;
    std::vector<std::size_t> loose;
    for (std::size_t i = 0; i < n;) {
        std::size_t k = i;
        while (k < n && cols.end[k] - cols.first[k] == 1 &&
               cols.first[k] == cols.first[i] + static_cast<int>(k - i)) {
            ++k;
        }
        if (k - i >= 8) {
            runs.push_back(Run{i, k - i});
            i = k;
        } else {
            loose.push_back(i++);
        }
    }
    const bool byRuns = runs.size() + loose.size() <= n / 8;
    std::vector<std::uint32_t> combined(static_cast<std::size_t>(srcHi - srcLo));
    std::vector<std::uint32_t> line(byRuns ? 0 : n);
    int prevFirst = -1, prevEnd = -1;
    std::uint32_t* prevRow = nullptr;
    for (long long yy = y0; yy < y1; ++yy) {
        const std::size_t j = static_cast<std::size_t>(yy - y0);
        const int r0 = rows.first[j], r1 = rows.end[j];
        if (r0 >= r1) {
            prevRow = nullptr;
            continue;
        }
        std::uint32_t* out = dst.Row(static_cast<int>(yy)) + x0;
        if (prevRow && r0 == prevFirst && r1 == prevEnd) {
            // Enlarging repeats rows: copy the one just made.
            std::memcpy(out, prevRow, n * sizeof(std::uint32_t));
            continue;
        }
        const std::uint32_t* base;
        if (r1 - r0 == 1) {
            base = rowAt(r0, srcLo, srcHi);
        } else {
            std::memcpy(combined.data(), rowAt(r0, srcLo, srcHi),
                        combined.size() * sizeof(std::uint32_t));
            for (int r = r0 + 1; r < r1; ++r) {
                CombineInto(combined.data(), rowAt(r, srcLo, srcHi), combined.size(), how);
            }
            base = combined.data();
        }
        if (byRuns) {
            for (const Run& run : runs) {
                std::memcpy(out + run.at, base + (cols.first[run.at] - srcLo),
                            run.length * sizeof(std::uint32_t));
            }
            for (std::size_t i : loose) {
                const int c0 = cols.first[i], c1 = cols.end[i];
                if (c0 < c1) {
                    out[i] = CombineRun(base + (c0 - srcLo), c1 - c0, how);
                }
            }
        } else {
            if (cols.singles) {
                for (std::size_t i = 0; i < n; ++i) {
                    line[i] = base[cols.first[i] - srcLo];
                }
            } else {
                for (std::size_t i = 0; i < n; ++i) {
                    const int c0 = cols.first[i], c1 = cols.end[i];
                    line[i] = c1 - c0 == 1 ? base[c0 - srcLo]
                              : c0 < c1    ? CombineRun(base + (c0 - srcLo), c1 - c0, how)
                                           : out[i];
                }
            }
            std::memcpy(out, line.data(), n * sizeof(std::uint32_t));
        }
        prevFirst = r0;
        prevEnd = r1;
        prevRow = allColumns ? out : nullptr;
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
