#pragma once
// What the image file layer's tests share: scratch folders, sample frames, and independent
// ways to read and make files — libpng, libtiff and DCMTK called directly, and a BMP parser of
// our own — so that no test checks the library against itself.

#include "imageio/image.h"
#include "imageio/image_readers.h"
#include "support/unprivileged.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace imageio_test {

namespace fs = std::filesystem;

using testing_support::Listing;
using testing_support::TempFolder;

// Frames to write: gray levels in a pattern that varies along both axes, and colours from a
// fixed pseudo-random sequence (every channel differs).
imageio::Frame GrayFrame(int width, int height);
imageio::Frame ColourFrame(int width, int height);

// count samples i × step mod modulo.
std::vector<std::uint16_t> Ramp(int count, int step, int modulo);
// The same samples as ints, for an expected image.
std::vector<int> AsInts(const std::vector<std::uint16_t>& samples);

// A read image's pixels as ints, for readable comparisons.
std::vector<int> Pixels(const imageio::ReadResult& r);

std::vector<std::uint8_t> ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes);

// A PNG file as libpng reads it without transformations.
struct PngFile {
    int width = 0;
    int height = 0;
    int colorType = -1;
    int bitDepth = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB (gray repeated)
    std::vector<std::string> chunks;   // chunk types in file order
    std::vector<std::pair<std::string, std::string>> texts;
    std::string error;
};
PngFile ReadPngDirect(const fs::path& path);

// A BMP file as its headers say.
struct BmpFile {
    std::uint32_t fileSize = 0;
    std::uint32_t pixelOffset = 0;
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint32_t> pixels; // top-down 0x00RRGGBB
    std::string error;
};
BmpFile ReadBmpDirect(const fs::path& path);

// A DICOM file as DCMTK reads it.
struct DicomFile {
    std::string error;
    std::string transferSyntax;
    int rows = 0;
    int columns = 0;
    int samplesPerPixel = 0;
    int planarConfiguration = -1;
    int bitsAllocated = 0;
    std::string photometric;
    std::vector<std::uint32_t> pixels;            // 0x00RRGGBB (gray repeated)
    std::string Value(const char* keyword) const; // the first value of an attribute, by name
    std::vector<std::pair<std::string, std::string>> values;
};
DicomFile ReadDicomDirect(const fs::path& path);

// Makes a DICOM file of gray samples with DCMTK. Every field has a default, so that a recipe
// written with designated initialisers names only what its case is about.
struct DicomRecipe {
    int width = 4;
    int height = 4;
    int bitsAllocated = 16;
    int bitsStored = 12;
    int highBit = -1; // bitsStored − 1
    bool isSigned = false;
    std::string photometric = "MONOCHROME2";
    std::vector<std::uint16_t> samples{}; // as stored, width × height
    std::optional<std::string> windowCenter{};
    std::optional<std::string> windowWidth{};
    std::optional<std::string> voiFunction{};
    std::optional<std::string> rescaleSlope{};
    std::optional<std::string> rescaleIntercept{};
    // A VOI LUT: first mapped value, bits, entries.
    std::optional<std::tuple<int, int, std::vector<std::uint16_t>>> voiLut{};
    std::string seriesDescription{};
    std::string imageComments{};
    std::string patientName = "TEST^PATTERN";
    int samplesPerPixel = 1;
    bool implicitVr = false;
    bool withMetaHeader = true;
};
void WriteDicomFile(const fs::path& path, const DicomRecipe& recipe);

// Makes a PNG file with libpng.
struct PngRecipe {
    int width = 4;
    int height = 4;
    int colorType = 0; // PNG_COLOR_TYPE_GRAY
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<std::uint16_t> samples{}; // width × height × channels
    std::vector<std::uint32_t> palette{}; // 0x00RRGGBB, for palette images
    std::vector<std::pair<std::string, std::string>> texts{};
};
void WritePngFile(const fs::path& path, const PngRecipe& recipe);

// Makes a TIFF file with libtiff.
struct TiffRecipe {
    int width = 4;
    int height = 4;
    int bits = 8;
    int samplesPerPixel = 1;
    int photometric = 1; // PHOTOMETRIC_MINISBLACK
    int compression = 1; // COMPRESSION_NONE
    bool tiled = false;  // 16 × 16 tiles
    bool isSigned = false;
    int orientation = 0; // 0: no tag
    std::vector<std::uint16_t> samples{};
    std::string description{};
};
void WriteTiffFile(const fs::path& path, const TiffRecipe& recipe);

// A file made from the recipe, as bytes, and as the library's reader reads it from a file of its
// own.
std::vector<std::uint8_t> FileBytes(const DicomRecipe& recipe);
std::vector<std::uint8_t> FileBytes(const PngRecipe& recipe);
std::vector<std::uint8_t> FileBytes(const TiffRecipe& recipe);
imageio::ReadResult ReadBack(const DicomRecipe& recipe);
imageio::ReadResult ReadBack(const PngRecipe& recipe);
imageio::ReadResult ReadBack(const TiffRecipe& recipe);

// Runs a command through the shell; its standard output and error, and its exit status.
struct CommandResult {
    int status = -1;
    std::string output;
};
CommandResult RunCommand(const std::string& command);

} // namespace imageio_test
