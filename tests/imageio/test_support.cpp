#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace imageio_test {

// ---- frames ------------------------------------------------------------------------------------

imageio::Frame GrayFrame(int width, int height) {
    imageio::Frame f{width, height, {}};
    f.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t g = static_cast<std::uint32_t>(x * 7 + y * 13 + (x ^ y)) & 0xFF;
            f.pixels[static_cast<std::size_t>(y) * width + x] = g * 0x010101u;
        }
    }
    return f;
}

imageio::Frame ColourFrame(int width, int height) {
    imageio::Frame f{width, height, {}};
    f.pixels.resize(static_cast<std::size_t>(width) * height);
    std::uint32_t state = 12345;
    for (std::uint32_t& p : f.pixels) {
        state = state * 1664525u + 1013904223u;
        p = state >> 8;
    }
    f.pixels[0] = 0x00FF0000; // not gray even when there is only one pixel
    return f;
}

std::vector<std::uint16_t> Ramp(int count, int step, int modulo) {
    std::vector<std::uint16_t> v;
    for (int i = 0; i < count; ++i) {
        v.push_back(static_cast<std::uint16_t>((i * step) % modulo));
    }
    return v;
}

std::vector<int> AsInts(const std::vector<std::uint16_t>& samples) {
    return {samples.begin(), samples.end()};
}

std::vector<int> Pixels(const imageio::ReadResult& r) {
    return {r.image.pixels.begin(), r.image.pixels.end()};
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// ---- files made from recipes ------------------------------------------------------------------

namespace {

template <typename Recipe>
std::vector<std::uint8_t> BytesWrittenBy(void (*write)(const fs::path&, const Recipe&),
                                         const Recipe& recipe) {
    const TempFolder dir;
    write(dir / "file", recipe);
    return ReadBytes(dir / "file");
}

// Through a file, so that the reader's own file handling is part of what is read.
template <typename Recipe>
imageio::ReadResult ReadBackWith(void (*write)(const fs::path&, const Recipe&),
                                 const Recipe& recipe, const std::string& name) {
    const TempFolder dir;
    write(dir / name, recipe);
    return imageio::ReadGrayImage(dir / name);
}

} // namespace

std::vector<std::uint8_t> FileBytes(const DicomRecipe& recipe) {
    return BytesWrittenBy(WriteDicomFile, recipe);
}
std::vector<std::uint8_t> FileBytes(const PngRecipe& recipe) {
    return BytesWrittenBy(WritePngFile, recipe);
}
std::vector<std::uint8_t> FileBytes(const TiffRecipe& recipe) {
    return BytesWrittenBy(WriteTiffFile, recipe);
}

imageio::ReadResult ReadBack(const DicomRecipe& recipe) {
    return ReadBackWith(WriteDicomFile, recipe, "image.dcm");
}
imageio::ReadResult ReadBack(const PngRecipe& recipe) {
    return ReadBackWith(WritePngFile, recipe, "image.png");
}
imageio::ReadResult ReadBack(const TiffRecipe& recipe) {
    return ReadBackWith(WriteTiffFile, recipe, "image.tif");
}

// ---- commands --------------------------------------------------------------------------------

CommandResult RunCommand(const std::string& command) {
    CommandResult r;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return r;
    }
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        r.output.append(buffer.data(), n);
    }
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace imageio_test
