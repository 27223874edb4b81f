#include "platform/gdi/face_units.h"

namespace gdi {

namespace {

// The average character width as the OS/2 table defined it before version 3: the lowercase
// letters and the space weighted by their frequency in English text. Later fonts (Liberation
// among them) store the mean of all their glyphs instead, which is much wider than what the
// platform reports for the fonts they stand in for. Returns the weighted sum; divide by 1000.
long long WeightedWidthUnits(const FaceUnits& face) {
    static constexpr std::array<int, 26> kLetterWeights = {64, 14, 27, 35, 100, 20, 14, 42, 63,
                                                           3,  6,  35, 20, 56,  56, 17, 4,  49,
                                                           56, 71, 31, 10, 18,  3,  18, 2};
    long long sum = 166 * face.advances[' '];
    for (std::size_t i = 0; i < kLetterWeights.size(); ++i) {
        sum += kLetterWeights[i] * face.advances['a' + i];
    }
    return sum;
}

} // namespace

ScaledFace ScaleFace(const FaceUnits& face, int requestHeight) {
    ScaledFace out{
        FontScale::ForHeight(requestHeight, face.cellAscent + face.cellDescent, face.unitsPerEm),
        {},
        {}};
    TextMetrics& m = out.metrics;
    std::tie(m.ascent, m.descent) = out.scale.AscentDescent(face.cellAscent, face.cellDescent);
    m.height = m.ascent + m.descent;
    m.averageWidth = out.scale.Pixels(WeightedWidthUnits(face), 1000);
    for (std::size_t c = 0; c < out.advances.size(); ++c) {
        out.advances[c] = out.scale.Pixels(face.advances[c]);
    }
    return out;
}

} // namespace gdi
