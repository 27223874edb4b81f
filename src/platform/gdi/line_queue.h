#pragma once
// The line queue of a device context. One-pixel vertical and 45-degree lines are queued rather
// than drawn a row apart pixel by pixel, and a batch is drawn row by row: vertical runs over the
// same rows (a column pattern, a grid) or diagonals (a ramp of adjacent ones) then cost about as
// much as filling their rows.
//
// The flush rule: at most one DC of a thread holds queued lines, and they are drawn before
// anything else can see or change the pixels they cover — when any DC touches a target's pixels
// (DeviceContext::Target), when another batch begins (another DC, another kind of line, or for
// columns another raster operation or another row range), when the DC's bitmap is deselected or the
// DC is deleted, and when code reads a selected bitmap directly (FlushAll, as GdiFlush on the
// platform). Each line has at most one pixel in a row and the lines of a row are drawn in the
// order queued, so every pixel sees its lines in the order they were drawn.

#include "platform/gdi/raster.h"

#include <vector>

namespace gdi {

class LineQueue {
  public:
    // target() is the surface the queued lines belong on when they are drawn (it may change
    // while they wait, e.g. shrink: nothing lands outside it).
    using TargetFn = Surface* (*)(const void* owner);
    LineQueue(const void* owner, TargetFn target) : owner_(owner), target_(target) {}
    ~LineQueue();
    LineQueue(const LineQueue&) = delete;
    LineQueue& operator=(const LineQueue&) = delete;

    // Device coordinates, already clipped. Column x over the rows [y0, y1).
    void AddVerticalRun(int x, int y0, int y1, RopMasks m);
    // The pixels (c + slope * y, y) for y0 <= y < y1; slope is 1 or -1.
    void AddDiagonal(int slope, long long c, int y0, int y1, RopMasks m);

    // Draws this queue's lines, if it holds any.
    void Flush() const;
    // Draws the lines of whichever queue of this thread holds any.
    static void FlushAll();

  private:
    // Starts a new batch of the kind unless the queued one is of that kind and raster operation
    // (diagonals carry their own, so any raster operation continues their batch).
    bool Continues(int kind, RopMasks m) const;
    void Begin(int kind, RopMasks m);

    struct Diagonal {
        long long c;
        int slope;
        int y0, y1;
        RopMasks masks; // a ramp changes pen every few diagonals; each keeps its own
    };
    struct Pending {
        int kind = 0;       // kColumns or kDiagonals
        RopMasks masks{};   // of every column
        int y0 = 0, y1 = 0; // the rows of every column
        std::vector<int> xs;
        std::vector<Diagonal> diagonals;
    };

    const void* owner_;
    TargetFn target_;
    mutable Pending pending_;
};

} // namespace gdi
