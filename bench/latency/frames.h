#pragma once
// The frames the program must show, written by the headless frame writer (lumivex_frames) for
// the same keys, and the probe pixels that tell one frame on the screen from another.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace latency {

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0xRRGGBB, rows top-down

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // Reads a binary PPM (P6, maxval 255); throws std::runtime_error.
    static Frame Read(const std::filesystem::path& path);
    // A frame of one colour: the bare root window before the program shows anything.
    static Frame Solid(int width, int height, std::uint32_t pixel);
};

struct Probe {
    int x = 0;
    int y = 0;
    std::uint32_t pixel = 0; // what the pixel shows in the new frame
};

// What shows that the screen went from one frame to another. The server copies a frame in
// reading order, so the last pixel that differs is the last to change; a few more spread over
// the rest check that the whole frame arrived.
struct Transition {
    Probe last;
    std::vector<Probe> more;
};

// Throws std::runtime_error when the frames are identical or of different sizes.
Transition Between(const Frame& from, const Frame& to);

// Runs the frame writer: the screen of a program started without settings at width x height,
// fed the steps ("=NAME" writes DIR/NAME.ppm). Throws std::runtime_error when it fails.
void WriteFrames(const std::filesystem::path& writer, int width, int height,
                 const std::filesystem::path& dir, const std::vector<std::string>& steps);

} // namespace latency
