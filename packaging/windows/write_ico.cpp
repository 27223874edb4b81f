// Writes the program's icon (the same pictures the running program shows) as an .ico file for
// the Windows executable's resources: 32 x 32 and 16 x 16, 16 colours each. Runs on the build
// machine.
//
//   write_ico FILE

#include "res/icon.h"
#include "res/resource_ids.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <optional>
#include <vector>

namespace {

// The platform's 16-colour palette, 0x00RRGGBB.
constexpr std::array<std::uint32_t, 16> kPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

std::optional<int> PaletteIndex(std::uint32_t rgb) {
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        if (kPalette[i] == (rgb & 0xFFFFFF)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// One image as an icon resource stores it: a bitmap header of twice the height, the palette,
// the colour rows and then the transparency mask, both bottom-up with rows padded to 32 bits.
std::optional<std::vector<std::uint8_t>> Image(const IconData& icon) {
    const int size = icon.size;
    const std::size_t colorPitch = ((static_cast<std::size_t>(size) * 4 + 31) / 32) * 4;
    const std::size_t maskPitch = ((static_cast<std::size_t>(size) + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(size));
    Put32(out, static_cast<std::uint32_t>(2 * size));
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>((colorPitch + maskPitch) * size));
    for (int i = 0; i < 4; ++i) {
        Put32(out, 0);
    }
    for (std::uint32_t rgb : kPalette) {
        out.push_back(static_cast<std::uint8_t>(rgb));
        out.push_back(static_cast<std::uint8_t>(rgb >> 8));
        out.push_back(static_cast<std::uint8_t>(rgb >> 16));
        out.push_back(0);
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(colorPitch, 0);
        for (int x = 0; x < size; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * size + x;
            const std::optional<int> index = icon.mask[i] ? 0 : PaletteIndex(icon.pixels[i]);
            if (!index) {
                return std::nullopt;
            }
            row[static_cast<std::size_t>(x) / 2] |=
                static_cast<std::uint8_t>(x % 2 ? *index : *index << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskPitch, 0);
        for (int x = 0; x < size; ++x) {
            if (icon.mask[static_cast<std::size_t>(y) * size + x]) {
                row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_ico FILE\n";
        return 2;
    }
    std::vector<std::vector<std::uint8_t>> images;
    std::vector<int> sizes;
    for (int size : {32, 16}) {
        const HICON icon = res::LoadIcon(IDR_MAINFRAME, size);
        const std::optional<std::vector<std::uint8_t>> image = icon ? Image(*icon) : std::nullopt;
        if (!image) {
            std::cerr << "write_ico: the " << size << "-pixel icon has colours outside the "
                      << "16-colour palette\n";
            return 1;
        }
        images.push_back(*image);
        sizes.push_back(size);
    }
    std::vector<std::uint8_t> file;
    Put16(file, 0);
    Put16(file, 1); // an icon
    Put16(file, static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        file.push_back(static_cast<std::uint8_t>(sizes[i]));
        file.push_back(static_cast<std::uint8_t>(sizes[i]));
        file.push_back(16); // colours
        file.push_back(0);
        Put16(file, 1); // planes
        Put16(file, 4); // bits per pixel
        Put32(file, static_cast<std::uint32_t>(images[i].size()));
        Put32(file, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) {
        file.insert(file.end(), image.begin(), image.end());
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    if (!out) {
        std::cerr << "write_ico: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
