#include "platform/gdi/stretch_plan.h"

#include "platform/gdi/stretch_map.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <tuple>

namespace gdi {

namespace {

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
    }
    return t;
}

// Spans shorter than this on average are not worth going through one by one.
constexpr std::size_t kShortSpans = 4;

ColumnPlan BuildPlan(const AxisTable& cols) {
    ColumnPlan plan;
    const std::size_t n = cols.first.size();
    int lo = 0, hi = 0;
    bool any = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (cols.first[i] < cols.end[i]) {
            lo = any ? std::min(lo, cols.first[i]) : cols.first[i];
            hi = any ? std::max(hi, cols.end[i]) : cols.end[i];
            any = true;
        } else {
            plan.everyColumn = false;
        }
    }
    plan.sourceLow = lo;
    plan.sourceHigh = hi;
    auto single = [&](std::size_t i) { return cols.end[i] - cols.first[i] == 1; };
    bool longRepeat = false;
    for (std::size_t i = 0; i < n;) {
        const int c = cols.first[i];
        if (c >= cols.end[i]) {
            ++i;
            continue;
        }
        ColumnSpan span{static_cast<std::uint32_t>(i), 1, c - lo, cols.end[i] - lo,
                        ColumnSpan::Kind::Gather};
        std::size_t k = i + 1;
        if (single(i)) {
            span.kind = ColumnSpan::Kind::Copy;
            if (k < n && single(k) && cols.first[k] == c) {
                span.kind = ColumnSpan::Kind::Repeat;
                while (k < n && single(k) && cols.first[k] == c) {
                    ++k;
                }
            } else {
                while (k < n && single(k) && cols.first[k] == c + static_cast<int>(k - i)) {
                    ++k;
                }
            }
        }
        span.length = static_cast<std::uint32_t>(k - i);
        longRepeat = longRepeat || (span.kind == ColumnSpan::Kind::Repeat &&
                                    span.length > ColumnPlan::kWideRepeat);
        plan.spans.push_back(span);
        i = k;
    }
    plan.wideRepeats = plan.everyColumn && !longRepeat;
    const bool allRepeats =
        std::all_of(plan.spans.begin(), plan.spans.end(),
                    [](const ColumnSpan& span) { return span.kind == ColumnSpan::Kind::Repeat; });
    if (plan.wideRepeats && allRepeats) {
        const std::uint32_t total = static_cast<std::uint32_t>(n);
        for (const ColumnSpan& span : plan.spans) {
            if (span.at + ColumnPlan::kWideRepeat > total) {
                break;
            }
            plan.wide.push_back(ColumnPlan::WideRepeat{span.at, span.source});
        }
    }
    const bool everySingle =
        plan.everyColumn &&
        std::all_of(plan.spans.begin(), plan.spans.end(),
                    [](const ColumnSpan& span) { return span.kind != ColumnSpan::Kind::Gather; });
    if (plan.wide.empty() && everySingle && plan.spans.size() * kShortSpans > n) {
        plan.gather.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            plan.gather[i] = cols.first[i] - lo;
        }
    }
    return plan;
}

// Below this many pixels a loop beats a call of memcpy.
constexpr std::uint32_t kShortCopy = 16;

void WriteSpan(const ColumnSpan& span, const std::uint32_t* src, std::uint32_t* out, Combine how) {
    std::uint32_t* to = out + span.at;
    const std::uint32_t* from = src + span.source;
    switch (span.kind) {
    case ColumnSpan::Kind::Repeat:
        for (std::uint32_t k = 0; k < span.length; ++k) {
            to[k] = *from;
        }
        break;
    case ColumnSpan::Kind::Copy:
        if (span.length < kShortCopy) {
            for (std::uint32_t k = 0; k < span.length; ++k) {
                to[k] = from[k];
            }
        } else {
            std::memcpy(to, from, span.length * sizeof(std::uint32_t));
        }
        break;
    case ColumnSpan::Kind::Gather:
        *to = CombineRun(from, span.sourceEnd - span.source, how);
        break;
    }
}

struct AxisKey {
    long long dstOrigin, dstSize, srcOrigin, srcSize, from, to, limit;
    bool dstMirrored, srcMirrored;
    bool operator==(const AxisKey&) const = default;
};

struct CacheEntry {
    AxisKey key{};
    std::shared_ptr<const AxisTable> table;
    std::shared_ptr<const ColumnPlan> plan;
};

// Enough for every stretch of one frame of the start screen (a dozen axes).
constexpr std::size_t kCacheEntries = 16;

struct AxisCache {
    std::array<CacheEntry, kCacheEntries> entries;
    std::size_t next = 0; // the entry replaced next, round robin
};

AxisCache& Cache() {
    thread_local AxisCache cache;
    return cache;
}

} // namespace

Extent Normalise(long long origin, long long size) {
    if (size < 0) {
        return Extent{origin + size + 1, -size, true};
    }
    return Extent{origin, size, false};
}

std::uint32_t CombineRun(const std::uint32_t* p, int n, Combine how) {
    std::uint32_t v = p[0];
    for (int i = 1; i < n; ++i) {
        v = how == Combine::And ? (v & p[i]) : how == Combine::Or ? (v | p[i]) : v;
    }
    return v;
}

void ColumnPlan::WriteRow(const std::uint32_t* src, std::uint32_t* out, Combine how) const {
    if (!gather.empty()) {
        const std::size_t n = gather.size();
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = src[gather[i]];
        }
        return;
    }
    std::size_t s = 0;
    if (!wide.empty()) {
        for (const WideRepeat& block : wide) {
            const std::uint32_t v = src[block.source];
            std::uint32_t* to = out + block.at;
            for (std::uint32_t k = 0; k < kWideRepeat; ++k) {
                to[k] = v;
            }
        }
        s = wide.size();
    } else if (wideRepeats) {
        // A Repeat stores a whole block, whose surplus the spans to its right overwrite; only
        // near the end of the row, where no span follows to do so, spans are written exactly.
        const std::uint32_t total = spans.back().at + spans.back().length;
        for (; s < spans.size() && spans[s].at + kWideRepeat <= total; ++s) {
            const ColumnSpan& span = spans[s];
            if (span.kind == ColumnSpan::Kind::Repeat) {
                const std::uint32_t v = src[span.source];
                std::uint32_t* to = out + span.at;
                for (std::uint32_t k = 0; k < kWideRepeat; ++k) {
                    to[k] = v;
                }
            } else {
                WriteSpan(span, src, out, how);
            }
        }
    }
    for (; s < spans.size(); ++s) {
        WriteSpan(spans[s], src, out, how);
    }
}

std::shared_ptr<const AxisTable> AxisFor(const Extent& dst, const Extent& src,
                                         long long visibleFrom, long long visibleTo,
                                         long long sourceLimit) {
    const AxisKey key{dst.origin, dst.size,    src.origin,   src.size,    visibleFrom,
                      visibleTo,  sourceLimit, dst.mirrored, src.mirrored};
    AxisCache& cache = Cache();
    for (const CacheEntry& entry : cache.entries) {
        if (entry.table && entry.key == key) {
            return entry.table;
        }
    }
    CacheEntry& entry = cache.entries[cache.next];
    cache.next = (cache.next + 1) % kCacheEntries;
    entry.key = key;
    entry.table =
        std::make_shared<const AxisTable>(BuildAxis(dst, src, visibleFrom, visibleTo, sourceLimit));
    entry.plan.reset();
    return entry.table;
}

std::shared_ptr<const ColumnPlan> PlanFor(const std::shared_ptr<const AxisTable>& cols) {
    for (CacheEntry& entry : Cache().entries) {
        if (entry.table == cols) {
            if (!entry.plan) {
                entry.plan = std::make_shared<const ColumnPlan>(BuildPlan(*cols));
            }
            return entry.plan->spans.empty() ? nullptr : entry.plan;
        }
    }
    // Pushed out of the cache since: made for this call alone.
    auto plan = std::make_shared<const ColumnPlan>(BuildPlan(*cols));
    return plan->spans.empty() ? nullptr : plan;
}

} // namespace gdi
