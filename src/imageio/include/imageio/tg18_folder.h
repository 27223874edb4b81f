#pragma once
// Finding the AAPM's own TG18-QC, TG18-AFC and TG18-AD images in a folder an operator fills.
//
// Files are taken from the folder itself (not its subfolders); hidden files are ignored. A
// file is one of the three when its name says so — QC, AFC or AD as a word of the name, with
// or without a TG18 before it: "TG18-QC.dcm", "tg18_afc_2k.png", "TG18AD.tif" — or, when the
// name says nothing, when its descriptive text mentions TG18-QC, TG18-AFC or TG18-AD (DICOM
// descriptions and comments, PNG and TIFF text). A text that names another of the three than
// the file name contradicts it, and the file is refused.
//
// Accepted sizes: a square image of 512 … 4096 pixels a side, or a portrait image with height
// greater than width, the width at least 512 and the height at most 4096. Landscape images and
// anything smaller or larger are refused. When a pattern has several candidates of one shape,
// the largest is used (ties: the first by file name) and the others are reported as unused.
//
// Files of other kinds, and images that neither name nor text ties to one of the three (the
// rest of the TG18 set, say), are passed over in silence. Reported once each, with the path
// and the reason, are: every file tied to one of the three that cannot be used (unreadable,
// refused size, name and text disagreeing, a larger one of the same shape preferred), and
// every DICOM, PNG or TIFF file whose headers cannot be read.

#include "imageio/image.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace imageio {

enum class Tg18Pattern { Qc = 0, Afc = 1, Ad = 2 };
inline constexpr int kTg18PatternCount = 3;

// "TG18-QC", "TG18-AFC", "TG18-AD".
const char* Tg18Name(Tg18Pattern pattern);

inline constexpr int kTg18MinSide = 512;
inline constexpr int kTg18MaxSide = 4096;

struct Tg18Image {
    GrayImage image;
    std::filesystem::path path;
};

struct Tg18Images {
    std::optional<Tg18Image> square;
    std::optional<Tg18Image> portrait; // height > width
};

struct Tg18Problem {
    std::filesystem::path path;
    std::string reason;
};

struct Tg18Folder {
    std::array<Tg18Images, kTg18PatternCount> images;
    // One entry per file that was refused or not used, in file-name order; the caller prints
    // them.
    std::vector<Tg18Problem> problems;
    // Set when the folder itself could not be read ("does not exist", "not a folder", ...).
    std::string folderError;

    const Tg18Images& For(Tg18Pattern pattern) const {
        return images[static_cast<std::size_t>(pattern)];
    }
};

Tg18Folder ScanTg18Folder(const std::filesystem::path& folder);

// The image to show on a client area of width × height: the portrait one on a portrait area
// (height > width) when there is one, otherwise the square one; null when neither exists.
const GrayImage* ChooseTg18Image(const Tg18Images& images, int width, int height);

} // namespace imageio
