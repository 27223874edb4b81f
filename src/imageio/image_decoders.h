#pragma once
// The decoders behind ReadGrayImage, one per file format, each working on the whole file in
// memory. With `pixels` false they read only the headers and the descriptive text.

#include "imageio/image_readers.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace imageio {

enum class FileKind { Unknown, Dicom, Png, Tiff };

// The kind of file from its first bytes: PNG and TIFF signatures, "DICM" after the 128-byte
// DICOM preamble, or a DICOM data set without preamble that starts with a group 0002 or 0008
// element.
FileKind SniffFileKind(std::span<const std::uint8_t> bytes);

ReadResult DecodeDicom(std::span<const std::uint8_t> bytes, const ReadLimits& limits, bool pixels);
ReadResult DecodePng(std::span<const std::uint8_t> bytes, const ReadLimits& limits, bool pixels);
ReadResult DecodeTiff(std::span<const std::uint8_t> bytes, const ReadLimits& limits, bool pixels);

// The first `maxBytes` bytes of a file at most, or the whole file; on failure `error` says why
// (also for a file longer than `limit`, which is not read at all).
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path, std::uint64_t limit,
                                        std::size_t maxBytes, std::string& error);

// The largest file worth reading for an image within the limits: 16-bit samples without
// compression, and room for headers and text.
std::uint64_t MaxFileSize(const ReadLimits& limits);

// The reason for a side outside 1 … maxSide, or an empty string.
std::string SizeProblem(std::int64_t width, std::int64_t height, const ReadLimits& limits);

// Appends one value to a descriptive text, one value per line, within a bound on the total.
void AppendText(std::string& text, std::string_view value);

} // namespace imageio
