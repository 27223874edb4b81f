#pragma once
// How stored sample values become the 0 … 255 of an 8-bit gray image.
//
// With a DICOM window (centre c, width w; PS3.3 C.11.2.1.2), for the modality value x (the
// stored value times RescaleSlope plus RescaleIntercept):
//   LINEAR (the default):  x <= c − 0.5 − (w − 1)/2  → 0
//                          x >  c − 0.5 + (w − 1)/2  → 255
//                          otherwise  y = ((x − (c − 0.5))/(w − 1) + 0.5) × 255
//                                       = 255 × (x − c + w/2)/(w − 1)
//   LINEAR_EXACT:          x <= c − w/2 → 0,  x > c + w/2 → 255,
//                          otherwise  y = ((x − c)/w + 0.5) × 255
//   SIGMOID:               y = 255 / (1 + exp(−4 (x − c)/w))
// and y is truncated to an integer, as DCMTK renders it: a window of centre 127.5 and width
// 256 on 8-bit values then leaves every value as it is (y = x + 0.5). MONOCHROME1 inverts y
// before the truncation: ⌊255 − y⌋.
//
// With a VOI LUT (first stored value mapped m, n entries of `bits` bits): x < m takes the first
// entry, x >= m + n − 1 the last, otherwise entry[⌊x⌋ − m]; the entry e becomes
// round(e × 255 / (2^bits − 1)).
//
// Without either, the stored range maps linearly: for an unsigned value v of `bits` bits,
// y = round(v × 255 / (2^bits − 1)), i.e. ⌊(510 v + 2^bits − 1) / (2 (2^bits − 1))⌋; a signed
// value is first offset by 2^(bits−1). A rescale with a positive slope does not change this;
// a negative slope inverts it.
//
// MONOCHROME1 (and TIFF's MinIsWhite) shows the lowest value white: y becomes 255 − y. (The
// rounded results have no ties, so rounding and inverting commute.)

#include <cstdint>
#include <optional>
#include <vector>

namespace imageio {

enum class VoiFunction { Linear, LinearExact, Sigmoid };

struct VoiWindow {
    double center = 0;
    double width = 1; // >= 1 for Linear, > 0 otherwise
    VoiFunction function = VoiFunction::Linear;
};

struct VoiLut {
    std::int64_t firstMapped = 0;
    int bits = 16;                      // 1 … 16
    std::vector<std::uint16_t> entries; // at least one
};

struct SampleMapping {
    int bitsStored = 8; // 1 … 16
    bool isSigned = false;
    double rescaleSlope = 1; // finite, not 0
    double rescaleIntercept = 0;
    std::optional<VoiWindow> window;
    std::optional<VoiLut> lut; // used only without a window
    bool invert = false;
};

// y of the window functions above, 0 … 255 before truncation.
double WindowOutput(double x, const VoiWindow& window);
std::uint8_t ApplyWindow(double x, const VoiWindow& window);
std::uint8_t ApplyLut(double x, const VoiLut& lut);
// v of `bits` bits, unsigned.
std::uint8_t ScaleBitDepth(std::uint32_t v, int bits);

// The gray of every stored value, indexed by the value's bits as stored (the low bitsStored
// bits; for signed values the two's complement pattern): 2^bitsStored entries.
std::vector<std::uint8_t> BuildGrayTable(const SampleMapping& mapping);

} // namespace imageio
