#pragma once
// Order statistics of a set of timings, by the nearest-rank rule.

#include <algorithm>
#include <cmath>
#include <vector>

namespace latency {

struct Summary {
    int count = 0;
    double median = 0, p95 = 0, p99 = 0; // 50th, 95th and 99th percentile
    double min = 0, max = 0;
};

inline Summary Summarize(std::vector<double> v) {
    Summary s;
    s.count = static_cast<int>(v.size());
    if (v.empty()) {
        return s;
    }
    std::sort(v.begin(), v.end());
    auto rank = [&](double percent) {
        const auto k = static_cast<std::size_t>(std::ceil(percent / 100.0 * v.size()));
        return v[std::clamp<std::size_t>(k, 1, v.size()) - 1];
    };
    s.median = rank(50);
    s.p95 = rank(95);
    s.p99 = rank(99);
    s.min = v.front();
    s.max = v.back();
    return s;
}

} // namespace latency
