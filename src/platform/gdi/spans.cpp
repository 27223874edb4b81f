#include "platform/gdi/wide.h"

#include <algorithm>

namespace gdi {

SpanCollector::SpanCollector(const RECT& visibleClip)
    : clip_(visibleClip),
      rows_(IsRectEmpty(&visibleClip)
                ? 0
                : static_cast<std::size_t>(visibleClip.bottom - visibleClip.top)) {}

void SpanCollector::Add(long long y, long long x0, long long x1) {
    if (y < clip_.top || y >= clip_.bottom) {
        return;
    }
    x0 = std::max<long long>(x0, clip_.left);
    x1 = std::min<long long>(x1, clip_.right);
    if (x0 >= x1) {
        return;
    }
    rows_[static_cast<std::size_t>(y - clip_.top)].emplace_back(x0, x1);
    merged_ = false;
}

void SpanCollector::Merge() {
    if (merged_) {
        return;
    }
    for (auto& row : rows_) {
        if (row.size() < 2) {
            continue;
        }
        std::sort(row.begin(), row.end());
        std::size_t out = 0;
        for (std::size_t i = 1; i < row.size(); ++i) {
            if (row[i].first <= row[out].second) {
                row[out].second = std::max(row[out].second, row[i].second);
            } else {
                row[++out] = row[i];
            }
        }
        row.resize(out + 1);
    }
    merged_ = true;
}

const std::vector<std::pair<long long, long long>>* SpanCollector::RowSpans(long long y) {
    if (y < clip_.top || y >= clip_.bottom) {
        return nullptr;
    }
    Merge();
    return &rows_[static_cast<std::size_t>(y - clip_.top)];
}

void SpanCollector::Paint(Surface& s, RopMasks m) {
    Merge();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        for (const auto& [x0, x1] : rows_[i]) {
            RopSpan(s, clip_, clip_.top + static_cast<long long>(i), x0, x1, m);
        }
    }
}

void SpanCollector::PaintOutside(Surface& s, long long y, long long x0, long long x1, RopMasks m) {
    const auto* spans = RowSpans(y);
    if (!spans) {
        return;
    }
    for (const auto& [s0, s1] : *spans) {
        if (s0 > x0) {
            RopSpan(s, clip_, y, x0, std::min(x1, s0), m);
        }
        x0 = std::max(x0, s1);
        if (x0 >= x1) {
            return;
        }
    }
    RopSpan(s, clip_, y, x0, x1, m);
}

} // namespace gdi
