#include "res/bitmaps.h"

#include "res/dib_pack.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace res {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

bool Fail(std::string* error, std::string message) {
    if (error) {
        *error = std::move(message);
    }
    return false;
}

// The 14-byte file header: "BM", the file size, two reserved words and the offset of the
// pixels (after the info header and colour table).
std::array<char, kFileHeaderSize> FileHeader(const std::vector<std::uint8_t>& dib) {
    const auto le32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(dib[at]) | static_cast<std::uint32_t>(dib[at + 1]) << 8 |
               static_cast<std::uint32_t>(dib[at + 2]) << 16 |
               static_cast<std::uint32_t>(dib[at + 3]) << 24;
    };
    const std::uint32_t headerSize = le32(0);
    const unsigned bitsPerPixel = dib[14] | dib[15] << 8;
    std::uint32_t colours = le32(32);
    if (colours == 0 && bitsPerPixel <= 8) {
        colours = 1u << bitsPerPixel;
    }
    const std::uint32_t offset = kFileHeaderSize + headerSize + 4 * colours;
    const auto size = static_cast<std::uint32_t>(kFileHeaderSize + dib.size());
    std::array<char, kFileHeaderSize> h{'B', 'M'};
    for (int i = 0; i < 4; ++i) {
        h[2 + i] = static_cast<char>(size >> (8 * i));
        h[10 + i] = static_cast<char>(offset >> (8 * i));
    }
    return h;
}

} // namespace

bool ExportBitmaps(const std::string& dir, std::string* error) {
    namespace fs = std::filesystem;
    if (dir.empty()) {
        return Fail(error, "no directory given for the bitmaps");
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir)) {
        return Fail(error, "cannot create directory " + dir + ": " +
                               (ec ? ec.message() : std::string("not a directory")));
    }
    for (const BitmapResourceName& r : BitmapResourceNames()) {
        const fs::path path = fs::path(dir) / (std::string(r.name) + ".bmp");
        const std::vector<std::uint8_t>* dib = FindBitmapResource(r.id);
        if (!dib || dib->size() < kInfoHeaderSize) {
            return Fail(error, "bitmap " + std::to_string(r.id) + " is missing");
        }
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out.is_open()) {
            return Fail(error, "cannot create " + path.string() + ": " + std::strerror(errno));
        }
        const std::array<char, kFileHeaderSize> header = FileHeader(*dib);
        out.write(header.data(), header.size());
        out.write(reinterpret_cast<const char*>(dib->data()),
                  static_cast<std::streamsize>(dib->size()));
        out.close();
        if (!out) {
            return Fail(error, "cannot write " + path.string() + ": " + std::strerror(errno));
        }
    }
    return true;
}

} // namespace res
