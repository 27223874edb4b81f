#pragma once
// The per-axis tables of a stretch (which source pixels make each visible destination pixel) and
// the plan that writes a destination row from a source row in runs. Both depend only on the
// rectangles and the clip, so they are kept for reuse: a pattern stretched over the whole frame
// asks for the same ones every frame.

#include "platform/gdi/surface.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace gdi {

// A blit extent along one axis in device pixels, normalised: a negative size counts back from
// the origin's pixel and mirrors.
struct Extent {
    long long origin;
    long long size;
    bool mirrored;
};

Extent Normalise(long long origin, long long size);

// The source pixels of each visible destination pixel along one axis, limited to the source
// surface; an empty run leaves its destination pixels alone.
struct AxisTable {
    std::vector<int> first;
    std::vector<int> end;
};

// How the source pixels that shrink into one destination pixel combine.
enum class Combine { And, Or, First };

// One stretch of destination columns made the same way.
struct ColumnSpan {
    enum class Kind : std::uint8_t {
        Copy,   // source columns source, source + 1, ... one each
        Repeat, // source column source in every one
        Gather, // one destination column of source columns source to sourceEnd, combined
    };
    std::uint32_t at;     // first destination column, from the visible left edge
    std::uint32_t length; // destination columns
    int source;           // first source column, relative to the plan's sourceLow
    int sourceEnd;        // Gather only
    Kind kind;
};

// How a destination row is made from the source row: columns without a source are in no span
// and keep their pixels.
struct ColumnPlan {
    std::vector<ColumnSpan> spans; // left to right
    int sourceLow = 0;             // the source columns read, sourceLow to sourceHigh
    int sourceHigh = 0;
    bool everyColumn = true; // every destination column has a source
    // The spans tile the row and no Repeat is longer than kWideRepeat: a Repeat may then store
    // kWideRepeat pixels at once, the spans after it overwriting the surplus.
    bool wideRepeats = false;
    static constexpr std::uint32_t kWideRepeat = 8;
    // When every span is a Repeat that may be stored wide (enlarging by 2 to 8): those before
    // the last kWideRepeat pixels as bare pairs, read faster than spans; spans[wideCount] on are
    // written exactly.
    struct WideRepeat {
        std::uint32_t at;
        int source;
    };
    std::vector<WideRepeat> wide;
    // Otherwise, when every column has one source pixel and the spans are short (enlarging by
    // less than 2, where spans of one and two columns alternate): each column's source, read
    // pixel by pixel, which beats going span by span.
    std::vector<int> gather;

    // Writes the columns of the plan into out (the row's first visible pixel) from src, the
    // source row's pixels from sourceLow on.
    void WriteRow(const std::uint32_t* src, std::uint32_t* out, Combine how) const;
};

// The tables of one axis of the stretch dst <- src, for destination pixels visibleFrom to
// visibleTo, with source indices below sourceLimit.
std::shared_ptr<const AxisTable> AxisFor(const Extent& dst, const Extent& src,
                                         long long visibleFrom, long long visibleTo,
                                         long long sourceLimit);

// The column plan of the horizontal table cols (of an axis reading at most sourceWidth source
// pixels); null when no column has a source.
std::shared_ptr<const ColumnPlan> PlanFor(const std::shared_ptr<const AxisTable>& cols);

std::uint32_t CombineRun(const std::uint32_t* p, int n, Combine how);

} // namespace gdi
