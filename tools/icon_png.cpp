// Writes the program's icon as a PNG for the desktop's icon theme, from the same code that
// draws the icon resource, so the two never drift apart.
//
//   lumivex_icon_png SIZE OUTPUT.png     (SIZE a multiple of 16)

#include "res/icon.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SIZE OUTPUT.png\n", argv[0]);
        return 2;
    }
    const int size = std::atoi(argv[1]);
    if (size < 16 || size % 16 != 0) {
        std::fprintf(stderr, "%s: the size must be a multiple of 16, not %s\n", argv[0], argv[1]);
        return 2;
    }
    const IconData icon = res::MakeIcon(size);
    std::vector<std::uint8_t> rgba;
    rgba.reserve(icon.pixels.size() * 4);
    for (std::size_t i = 0; i < icon.pixels.size(); ++i) {
        const std::uint32_t p = icon.pixels[i];
        rgba.push_back(static_cast<std::uint8_t>(p >> 16));
        rgba.push_back(static_cast<std::uint8_t>(p >> 8));
        rgba.push_back(static_cast<std::uint8_t>(p));
        rgba.push_back(icon.mask[i] ? 0 : 255);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(size);
    image.height = static_cast<png_uint_32>(size);
    image.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&image, argv[2], 0, rgba.data(), 0, nullptr)) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[2], image.message);
        return 1;
    }
    return 0;
}
