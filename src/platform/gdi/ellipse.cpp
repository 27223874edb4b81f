#include "platform/gdi/ellipse.h"

#include <algorithm>
#include <cstdlib>

namespace gdi {

DeviceBox SortedBox(DevicePoint a, DevicePoint b) {
    return DeviceBox{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                     std::max(a.y, b.y)};
}

void WalkEllipseQuadrant(long long w, long long h,
                         const std::function<bool(const QuadrantRun&)>& fn) {
    // Device boxes are up to 2^33 wide, so the error terms need 128 bits.
    using Wide = __int128;
    const Wide a = w - 1, b = h - 1;
    const Wide a8 = 8 * a * a, b8 = 8 * b * b;
    Wide dx = 4 * b * b * (1 - a);
    Wide dy = 4 * a * a * (1 + b % 2);
    Wide err = dx + dy + a * a * (b % 2);
    long long x = w - 1, y = h / 2;
    QuadrantRun run{y, x, x};
    while (x >= w / 2) {
        if (y != run.y) {
            if (!fn(run)) {
                return;
            }
            run = QuadrantRun{y, x, x};
        }
        run.x0 = x;
        const Wide e2 = 2 * err;
        if (e2 >= dx) {
            --x;
            dx += b8;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += a8;
            err += dy;
        }
    }
    if (!fn(run)) {
        return;
    }
    // On tall, thin boxes the method runs out of columns before it reaches the top row; the
    // tip goes on straight up the middle column so that the outline still spans the box.
    for (long long tip = run.y + 1; tip < h; ++tip) {
        if (!fn(QuadrantRun{tip, w / 2, w / 2})) {
            return;
        }
    }
}

void ForEachEllipseRow(const DeviceBox& box, const RECT& clip,
                       const std::function<void(const EllipseRow&)>& fn) {
    const long long l = box.left, t = box.top, w = box.Width(), h = box.Height();
    WalkEllipseQuadrant(w, h, [&](const QuadrantRun& q) {
        const long long upper = t + h - 1 - q.y, lower = t + q.y;
        if (upper < clip.top && lower >= clip.bottom) {
            return false; // the rest lies further out
        }
        EllipseRow row{};
        // The right run is [l + x0, l + x1], its mirror [l + w-1 - x1, l + w-1 - x0]; near the
        // top and bottom they meet and become one run.
        if (2 * q.x0 <= w) {
            row.runs = 1;
            row.run[0][0] = l + w - 1 - q.x1;
            row.run[0][1] = l + q.x1 + 1;
        } else {
            row.runs = 2;
            row.run[0][0] = l + w - 1 - q.x1;
            row.run[0][1] = l + w - q.x0;
            row.run[1][0] = l + q.x0;
            row.run[1][1] = l + q.x1 + 1;
        }
        row.inner0 = l + w - q.x0;
        row.inner1 = l + q.x0;
        row.y = upper;
        fn(row);
        if (lower != upper) {
            row.y = lower;
            fn(row);
        }
        return true;
    });
}

namespace {

// Collects points into pieces of the outline; Break() marks that points were left out.
class PieceBuilder {
  public:
    void Add(DevicePoint p) {
        if (gap_ || pieces_.empty()) {
            pieces_.emplace_back();
        }
        pieces_.back().push_back(p);
        gap_ = false;
    }
    void Break() {
        gap_ = true;
        brokenBeforeFirst_ = brokenBeforeFirst_ || pieces_.empty();
    }
    // Joins the end of the outline to its start when nothing between them was left out.
    std::vector<std::vector<DevicePoint>> Close() {
        if (!gap_ && !brokenBeforeFirst_ && !pieces_.empty()) {
            pieces_.back().push_back(pieces_.front().front());
        }
        return std::move(pieces_);
    }

  private:
    std::vector<std::vector<DevicePoint>> pieces_;
    bool gap_ = false;
    bool brokenBeforeFirst_ = false;
};

} // namespace

std::vector<std::vector<DevicePoint>> EllipseOutlineIn(const DeviceBox& box, const RECT& area) {
    const long long l = box.left, t = box.top, w = box.Width(), h = box.Height();
    auto rowIn = [&](long long y) { return y >= area.top && y < area.bottom; };
    // The quadrant runs that have a mirrored pixel in area; the walk's first and last runs
    // tell whether the outline is whole where the quadrants meet.
    std::vector<QuadrantRun> runs;
    long long lastY = -1;
    bool walkedAll = true;
    WalkEllipseQuadrant(w, h, [&](const QuadrantRun& q) {
        const long long upper = t + h - 1 - q.y, lower = t + q.y;
        if (upper < area.top && lower >= area.bottom) {
            walkedAll = false;
            return false;
        }
        lastY = q.y;
        const bool columns = (l + q.x0 < area.right && l + q.x1 >= area.left) ||
                             (l + w - 1 - q.x1 < area.right && l + w - 1 - q.x0 >= area.left);
        if ((rowIn(upper) || rowIn(lower)) && columns) {
            runs.push_back(q);
        }
        return true;
    });
    const bool startKept = !runs.empty() && runs.front().y == h / 2;
    const bool endKept = walkedAll && !runs.empty() && runs.back().y == lastY;

    PieceBuilder pieces;
    // One quadrant in outline order: forward passes go up (runs in order, x falling), reverse
    // passes come down. left: mirrored to the left half; lower: mirrored to the lower half.
    auto pass = [&](bool reverse, bool left, bool lower) {
        const std::size_t n = runs.size();
        for (std::size_t k = 0; k < n; ++k) {
            const QuadrantRun& q = runs[reverse ? n - 1 - k : k];
            if (k > 0 && std::llabs(q.y - runs[reverse ? n - k : k - 1].y) != 1) {
                pieces.Break();
            }
            const long long y = lower ? t + q.y : t + h - 1 - q.y;
            // Quadrant columns whose pixels lie within area.
            long long lo = left ? l + w - area.right : area.left - l;
            long long hi = left ? l + w - 1 - area.left : area.right - 1 - l;
            lo = std::max(lo, q.x0);
            hi = std::min(hi, q.x1);
            if (!rowIn(y) || lo > hi) {
                pieces.Break();
                continue;
            }
            auto at = [&](long long x) { return DevicePoint{left ? l + w - 1 - x : l + x, y}; };
            if (reverse) {
                if (lo > q.x0) {
                    pieces.Break();
                }
                for (long long x = lo; x <= hi; ++x) {
                    pieces.Add(at(x));
                }
                if (hi < q.x1) {
                    pieces.Break();
                }
            } else {
                if (hi < q.x1) {
                    pieces.Break();
                }
                for (long long x = hi; x >= lo; --x) {
                    pieces.Add(at(x));
                }
                if (lo > q.x0) {
                    pieces.Break();
                }
            }
        }
    };
    auto join = [&](bool kept) {
        if (!kept) {
            pieces.Break();
        }
    };
    join(startKept);
    pass(false, false, false); // up the right side to the top
    join(endKept);
    pass(true, true, false); // over the top and down to the left
    join(startKept);
    pass(false, true, true); // down the left side to the bottom
    join(endKept);
    pass(true, false, true); // back up to the right
    join(startKept);
    return pieces.Close();
}

} // namespace gdi
