#include "image_decoders.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <system_error>

namespace imageio {

namespace {

constexpr std::size_t kMaxTextSize = 64 * 1024;

ReadResult Failure(std::string reason) {
    ReadResult r;
    r.error = std::move(reason);
    return r;
}

ReadResult Decode(std::span<const std::uint8_t> bytes, const ReadLimits& limits, bool pixels) {
    if (bytes.empty()) {
        return Failure("empty file");
    }
    switch (SniffFileKind(bytes)) {
    case FileKind::Dicom:
        return DecodeDicom(bytes, limits, pixels);
    case FileKind::Png:
        return DecodePng(bytes, limits, pixels);
    case FileKind::Tiff:
        return DecodeTiff(bytes, limits, pixels);
    case FileKind::Unknown:
        break;
    }
    return Failure("not a DICOM, PNG or TIFF file");
}

} // namespace

std::uint64_t MaxFileSize(const ReadLimits& limits) {
    const auto side = static_cast<std::uint64_t>(std::max(limits.maxSide, 1));
    return side * side * 2 + (64u << 20);
}

FileKind SniffFileKind(std::span<const std::uint8_t> b) {
    static constexpr std::uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (b.size() >= 8 && std::memcmp(b.data(), kPng, 8) == 0) {
        return FileKind::Png;
    }
    if (b.size() >= 4 &&
        ((b[0] == 'I' && b[1] == 'I' && (b[2] == 42 || b[2] == 43) && b[3] == 0) ||
         (b[0] == 'M' && b[1] == 'M' && b[2] == 0 && (b[3] == 42 || b[3] == 43)))) {
        return FileKind::Tiff;
    }
    if (b.size() >= 132 && std::memcmp(b.data() + 128, "DICM", 4) == 0) {
        return FileKind::Dicom;
    }
    // Older files hold the data set alone; it starts with the lowest group present, in
    // practice 0002 (meta information) or 0008 (identification), little endian.
    if (b.size() >= 8 && (b[0] == 0x02 || b[0] == 0x08) && b[1] == 0x00) {
        return FileKind::Dicom;
    }
    return FileKind::Unknown;
}

std::string SizeProblem(std::int64_t width, std::int64_t height, const ReadLimits& limits) {
    if (width <= 0 || height <= 0) {
        return "size " + std::to_string(width) + " × " + std::to_string(height);
    }
    if (width > limits.maxSide || height > limits.maxSide) {
        return "size " + std::to_string(width) + " × " + std::to_string(height) +
               " is larger than " + std::to_string(limits.maxSide) + " pixels a side";
    }
    return {};
}

void AppendText(std::string& text, std::string_view value) {
    while (!value.empty() && (value.back() == ' ' || value.back() == '\0')) {
        value.remove_suffix(1);
    }
    if (value.empty() || text.size() >= kMaxTextSize) {
        return;
    }
    value = value.substr(0, kMaxTextSize - text.size());
    text.append(value);
    text += '\n';
}

ReadResult DecodeGrayImage(std::span<const std::uint8_t> bytes, const ReadLimits& limits) {
    return Decode(bytes, limits, true);
}

ReadResult DecodeDescription(std::span<const std::uint8_t> bytes) {
    return Decode(bytes, ReadLimits{}, false);
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path, std::uint64_t limit,
                                        std::size_t maxBytes, std::string& error) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) {
        error = "no such file";
        return {};
    }
    if (!std::filesystem::is_regular_file(status)) {
        error = "not a regular file";
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open: " + std::generic_category().message(errno);
        return {};
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0) {
        error = "cannot read the file's size";
        return {};
    }
    if (static_cast<std::uint64_t>(size) > limit) {
        error = "file too large (" + std::to_string(size) + " bytes)";
        return {};
    }
    std::vector<std::uint8_t> bytes(std::min(static_cast<std::size_t>(size), maxBytes));
    if (!in.read(reinterpret_cast<char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()))) {
        error = "cannot read the file";
        return {};
    }
    return bytes;
}

ReadResult ReadGrayImage(const std::filesystem::path& path, const ReadLimits& limits) {
    std::string error;
    const std::vector<std::uint8_t> bytes =
        ReadFileBytes(path, MaxFileSize(limits), SIZE_MAX, error);
    if (!error.empty()) {
        return Failure(error);
    }
    return DecodeGrayImage(bytes, limits);
}

} // namespace imageio
