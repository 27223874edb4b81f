#include "frames.h"

#include <fstream>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>

namespace latency {

namespace fs = std::filesystem;

Frame Frame::Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    Frame f;
    in >> magic >> f.width >> f.height >> maxval;
    in.get(); // the one white-space character before the samples
    if (!in || magic != "P6" || maxval != 255 || f.width <= 0 || f.height <= 0) {
        throw std::runtime_error("not a binary 8-bit PPM: " + path.string());
    }
    const std::size_t n = static_cast<std::size_t>(f.width) * f.height;
    std::vector<unsigned char> rgb(n * 3);
    in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    if (!in) {
        throw std::runtime_error("truncated PPM: " + path.string());
    }
    f.pixels.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        f.pixels[i] = (std::uint32_t{rgb[3 * i]} << 16) | (std::uint32_t{rgb[3 * i + 1]} << 8) |
                      rgb[3 * i + 2];
    }
    return f;
}

Frame Frame::Solid(int width, int height, std::uint32_t pixel) {
    Frame f;
    f.width = width;
    f.height = height;
    f.pixels.assign(static_cast<std::size_t>(width) * height, pixel);
    return f;
}

Transition Between(const Frame& from, const Frame& to) {
    if (from.width != to.width || from.height != to.height) {
        throw std::runtime_error("frames of different sizes");
    }
    std::vector<std::size_t> differ;
    for (std::size_t i = 0; i < to.pixels.size(); ++i) {
        if (from.pixels[i] != to.pixels[i]) {
            differ.push_back(i);
        }
    }
    if (differ.empty()) {
        throw std::runtime_error("the two frames are identical");
    }
    auto probe = [&](std::size_t i) {
        return Probe{static_cast<int>(i % to.width), static_cast<int>(i / to.width), to.pixels[i]};
    };
    Transition t;
    t.last = probe(differ.back());
    constexpr std::size_t kMore = 6;
    for (std::size_t k = 0; k < kMore && k + 1 < differ.size(); ++k) {
        t.more.push_back(probe(differ[k * (differ.size() - 1) / kMore]));
    }
    return t;
}

void WriteFrames(const fs::path& writer, int width, int height, const fs::path& dir,
                 const std::vector<std::string>& steps) {
    fs::create_directories(dir);
    std::vector<std::string> args = {writer.string(), std::to_string(width), std::to_string(height),
                                     dir.string()};
    args.insert(args.end(), steps.begin(), steps.end());
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("the frame writer " + writer.string() + " failed");
    }
}

} // namespace latency
