#include "platform/gdi/line_queue.h"

#include <algorithm>

namespace gdi {

namespace {

// The one queue of this thread that holds lines, if any.
thread_local const LineQueue* queued = nullptr;

constexpr int kColumns = 1;
constexpr int kDiagonals = 2;
constexpr std::size_t kMaxColumns = 65536;
constexpr std::size_t kMaxDiagonals = 64;

// Calls walk with the pixel operation of the masks: a plain store where the pen overwrites.
template <class Walk> void WithPut(RopMasks m, Walk walk) {
    if (m.andMask == 0) {
        walk([v = m.xorMask](std::uint32_t& d) { d = v; });
    } else {
        walk([m](std::uint32_t& d) { ApplyRop(d, m); });
    }
}

} // namespace

LineQueue::~LineQueue() {
    // The owner draws what it queued before it goes; a queue never outlives its pointer here.
    if (queued == this) {
        queued = nullptr;
    }
}

bool LineQueue::Continues(int kind, RopMasks m) const {
    return queued == this && pending_.kind == kind && pending_.masks.andMask == m.andMask &&
           pending_.masks.xorMask == m.xorMask;
}

void LineQueue::Begin(int kind, RopMasks m) {
    FlushAll();
    pending_.kind = kind;
    pending_.masks = m;
    queued = this;
}

void LineQueue::AddVerticalRun(int x, int y0, int y1, RopMasks m) {
    Pending& p = pending_;
    if (!Continues(kColumns, m) || p.y0 != y0 || p.y1 != y1 || p.xs.size() >= kMaxColumns) {
        Begin(kColumns, m);
        p.y0 = y0;
        p.y1 = y1;
    }
    p.xs.push_back(x);
}

void LineQueue::AddDiagonal(int slope, long long c, int y0, int y1, RopMasks m) {
    Pending& p = pending_;
    const bool continues = queued == this && p.kind == kDiagonals;
    if (!continues || p.diagonals.size() >= kMaxDiagonals) {
        Begin(kDiagonals, m);
    }
    p.diagonals.push_back(Diagonal{c, slope, y0, y1, m});
}

void LineQueue::Flush() const {
    if (queued != this) {
        return;
    }
    queued = nullptr;
    Pending& p = pending_;
    Surface* s = target_(owner_);
    if (s && p.kind == kColumns) {
        std::erase_if(p.xs, [w = s->Width()](int x) { return x < 0 || x >= w; });
        const int y0 = std::max(p.y0, 0), y1 = std::min(p.y1, s->Height());
        WithPut(p.masks, [&](auto put) {
            for (int y = y0; y < y1; ++y) {
                std::uint32_t* row = s->Row(y);
                for (int x : p.xs) {
                    put(row[x]);
                }
            }
        });
    } else if (s && p.kind == kDiagonals) {
        // Each diagonal's rows cut down once to those whose pixel lies on the surface, so that
        // the loop over the rows tests one range per diagonal.
        struct Visible {
            int y0, y1; // rows, y0 < y1
            long long c;
            int slope;
            RopMasks masks;
        };
        std::vector<Visible> visible;
        visible.reserve(p.diagonals.size());
        const long long w = s->Width(), h = s->Height();
        long long first = h, last = 0;
        for (const Diagonal& d : p.diagonals) {
            // x = c + slope * y within [0, w)
            const long long xa = d.slope > 0 ? -d.c : d.c - w + 1;
            const long long y0 = std::max({static_cast<long long>(d.y0), 0LL, xa});
            const long long y1 = std::min({static_cast<long long>(d.y1), h, xa + w});
            if (y0 < y1) {
                visible.push_back(
                    Visible{static_cast<int>(y0), static_cast<int>(y1), d.c, d.slope, d.masks});
                first = std::min(first, y0);
                last = std::max(last, y1);
            }
        }
        for (int y = static_cast<int>(first); y < last; ++y) {
            std::uint32_t* row = s->Row(y);
            for (const Visible& d : visible) {
                if (y >= d.y0 && y < d.y1) {
                    std::uint32_t& pixel = row[d.c + static_cast<long long>(d.slope) * y];
                    if (d.masks.andMask == 0) {
                        pixel = d.masks.xorMask;
                    } else {
                        ApplyRop(pixel, d.masks);
                    }
                }
            }
        }
    }
    p.xs.clear();
    p.diagonals.clear();
    p.kind = 0;
}

void LineQueue::FlushAll() {
    if (queued) {
        queued->Flush();
    }
}

} // namespace gdi
