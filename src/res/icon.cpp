#include "res/icon.h"

#include "res/resource_ids.h"

namespace res {

// A display with a four-step gray wedge, in the 16-colour palette's grays.
IconData MakeIcon(int size) {
    IconData icon;
    icon.size = size;
    icon.pixels.assign(static_cast<std::size_t>(size) * size, 0);
    icon.mask.assign(static_cast<std::size_t>(size) * size, 1);
    const int u = size / 16; // one design unit: 1 or 2 pixels for the icon resource
    auto put = [&](int x0, int y0, int x1, int y1, std::uint32_t color) {
        for (int y = y0 * u; y < y1 * u; ++y) {
            for (int x = x0 * u; x < x1 * u; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * size + x;
                icon.pixels[i] = color;
                icon.mask[i] = 0;
            }
        }
    };
    put(0, 1, 16, 12, 0x000000); // bezel
    put(1, 2, 15, 11, 0x808080); // screen
    const std::uint32_t steps[4] = {0x000000, 0x808080, 0xC0C0C0, 0xFFFFFF};
    for (int i = 0; i < 4; ++i) {
        put(2 + 3 * i, 3, 5 + 3 * i, 10, steps[i]);
    }
    put(6, 12, 10, 14, 0x808080); // neck
    put(3, 14, 13, 15, 0x000000); // foot
    return icon;
}

HICON LoadIcon(int id, int size) {
    if (id != IDR_MAINFRAME) {
        return nullptr;
    }
    static const IconData large = MakeIcon(32);
    static const IconData small = MakeIcon(16);
    switch (size) {
    case 32:
        return &large;
    case 16:
        return &small;
    default:
        return nullptr;
    }
}

} // namespace res
