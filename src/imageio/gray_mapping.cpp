#include "gray_mapping.h"

#include <algorithm>
#include <cmath>

namespace imageio {

namespace {

std::uint8_t TruncateToGray(double y) {
    if (!(y > 0)) { // also NaN
        return 0;
    }
    if (y >= 255) {
        return 255;
    }
    return static_cast<std::uint8_t>(y);
}

} // namespace

double WindowOutput(double x, const VoiWindow& window) {
    const double c = window.center;
    const double w = window.width;
    switch (window.function) {
    case VoiFunction::Linear:
        if (x <= c - 0.5 - (w - 1) / 2) {
            return 0;
        }
        if (x > c - 0.5 + (w - 1) / 2) {
            return 255;
        }
        // The factored form divides once, so an exact integer result stays exact.
        return 255 * (x - c + w / 2) / (w - 1);
    case VoiFunction::LinearExact:
        if (x <= c - w / 2) {
            return 0;
        }
        if (x > c + w / 2) {
            return 255;
        }
        return 255 * (x - c + w / 2) / w;
    case VoiFunction::Sigmoid:
        return 255 / (1 + std::exp(-4 * (x - c) / w));
    }
    return 0;
}

std::uint8_t ApplyWindow(double x, const VoiWindow& window) {
    return TruncateToGray(WindowOutput(x, window));
}

std::uint8_t ApplyLut(double x, const VoiLut& lut) {
    const auto n = static_cast<std::int64_t>(lut.entries.size());
    std::int64_t index = 0;
    if (x >= static_cast<double>(lut.firstMapped + n - 1)) {
        index = n - 1;
    } else if (x > static_cast<double>(lut.firstMapped)) {
        index = static_cast<std::int64_t>(std::floor(x)) - lut.firstMapped;
    }
    const std::uint32_t maxEntry = (1u << lut.bits) - 1;
    return ScaleBitDepth(
        std::min<std::uint32_t>(lut.entries[static_cast<std::size_t>(index)], maxEntry), lut.bits);
}

std::uint8_t ScaleBitDepth(std::uint32_t v, int bits) {
    const std::uint64_t max = (std::uint64_t{1} << bits) - 1;
    return static_cast<std::uint8_t>((510 * std::uint64_t{v} + max) / (2 * max));
}

std::vector<std::uint8_t> BuildGrayTable(const SampleMapping& m) {
    const std::uint32_t count = 1u << m.bitsStored;
    const std::uint32_t signBit = m.isSigned ? count / 2 : 0;
    std::vector<std::uint8_t> table(count);
    for (std::uint32_t pattern = 0; pattern < count; ++pattern) {
        // Offset binary: 0 for the lowest value of the range, count − 1 for the highest.
        const std::uint32_t offset = pattern ^ signBit;
        const double stored = static_cast<double>(offset) - static_cast<double>(signBit);
        const double x = stored * m.rescaleSlope + m.rescaleIntercept;
        if (m.window) {
            const double y = WindowOutput(x, *m.window);
            table[pattern] = TruncateToGray(m.invert ? 255 - y : y);
            continue;
        }
        std::uint8_t y;
        if (m.lut) {
            y = ApplyLut(x, *m.lut);
        } else {
            y = ScaleBitDepth(offset, m.bitsStored);
            if (m.rescaleSlope < 0) {
                y = static_cast<std::uint8_t>(255 - y);
            }
        }
        table[pattern] = m.invert ? static_cast<std::uint8_t>(255 - y) : y;
    }
    return table;
}

} // namespace imageio
