#pragma once
// The per-axis mapping of StretchBlt: which source pixels each destination pixel is made of.
// Enlarging (or keeping the size), destination d takes source floor(((2d+1)S - 1) / (2D)): the
// nearest at the pixel's centre, the lower one on an exact boundary. Shrinking, source s goes to
// destination ceil((2s+1)D / (2S)) - 1, so each destination pixel gathers a run of sources.

namespace gdi {

struct SourceRun {
    long long first; // source index of the run's first pixel
    long long end;   // one past its last
};

// Source run of destination index d (0 <= d < dst) for an axis of src source and dst
// destination pixels (both > 0).
SourceRun MapStretchAxis(long long d, long long src, long long dst);

} // namespace gdi
