#include "imageio/tg18_folder.h"

#include "image_decoders.h"
#include "imageio/image_readers.h"
#include "tg18_recognition.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace imageio {

namespace {

constexpr std::size_t kSniffBytes = 132; // enough for the DICOM preamble and its "DICM"
constexpr std::size_t kHeadBytes = 256 * 1024;

enum class Shape { Square = 0, Portrait = 1 };

struct Candidate {
    std::filesystem::path path;
    Tg18Pattern pattern = Tg18Pattern::Qc;
    Shape shape = Shape::Square;
    GrayImage image;
};

std::string AcceptedSizes() {
    return "accepted are square images of " + std::to_string(kTg18MinSide) + " to " +
           std::to_string(kTg18MaxSide) + " pixels a side and portrait images at least " +
           std::to_string(kTg18MinSide) + " wide and at most " + std::to_string(kTg18MaxSide) +
           " high";
}

std::optional<Shape> ShapeOf(const GrayImage& image) {
    if (image.width < kTg18MinSide || image.width > kTg18MaxSide || image.height > kTg18MaxSide) {
        return std::nullopt;
    }
    if (image.width == image.height) {
        return Shape::Square;
    }
    if (image.height > image.width) {
        return Shape::Portrait;
    }
    return std::nullopt;
}

std::optional<Tg18Pattern> OnlyOne(const Tg18PatternSet& set) {
    if (set.count() != 1) {
        return std::nullopt;
    }
    for (int i = 0; i < kTg18PatternCount; ++i) {
        if (set.test(static_cast<std::size_t>(i))) {
            return static_cast<Tg18Pattern>(i);
        }
    }
    return std::nullopt;
}

std::string Names(const Tg18PatternSet& set) {
    std::string s;
    for (int i = 0; i < kTg18PatternCount; ++i) {
        if (set.test(static_cast<std::size_t>(i))) {
            s += (s.empty() ? "" : " and ") + std::string(Tg18Name(static_cast<Tg18Pattern>(i)));
        }
    }
    return s;
}

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder,
                                           std::string& error) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(folder, ec);
    if (!std::filesystem::exists(status)) {
        error = "does not exist";
        return files;
    }
    if (!std::filesystem::is_directory(status)) {
        error = "is not a folder";
        return files;
    }
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) {
        error = "cannot be read: " + ec.message();
        return files;
    }
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::filesystem::path& path = it->path();
        std::error_code fileError;
        if (path.filename().string().starts_with(".") || !it->is_regular_file(fileError)) {
            continue;
        }
        files.push_back(path);
    }
    if (ec) {
        error = "cannot be read: " + ec.message();
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Decides what one file is; nullopt, with or without a problem, when it is not used.
std::optional<Candidate> Examine(const std::filesystem::path& path,
                                 std::vector<Tg18Problem>& problems) {
    auto refuse = [&](std::string reason) {
        problems.push_back({path, std::move(reason)});
        return std::nullopt;
    };
    const Tg18PatternSet named = PatternsNamedIn(path.filename().string());
    if (named.count() > 1) {
        return refuse("its name names more than one of the images (" + Names(named) + ")");
    }
    const ReadLimits limits{kTg18MaxSide};
    std::string error;
    std::vector<std::uint8_t> bytes;
    Tg18PatternSet mentioned;
    if (named.none()) {
        // A file the name does not tie to the three is looked into only when it is an image
        // at all, and then first only its start, where DICOM files keep their headers: the rest
        // of the TG18 set need not be read whole on every start.
        const std::vector<std::uint8_t> head = ReadFileBytes(path, UINT64_MAX, kSniffBytes, error);
        if (!error.empty() || SniffFileKind(head) == FileKind::Unknown) {
            return std::nullopt;
        }
        ReadResult header = DecodeDescription(ReadFileBytes(path, UINT64_MAX, kHeadBytes, error));
        if (!header.ok()) {
            bytes = ReadFileBytes(path, MaxFileSize(limits), SIZE_MAX, error);
            if (!error.empty()) {
                return refuse(error);
            }
            header = DecodeDescription(bytes);
        }
        if (!header.ok()) {
            return refuse("cannot be read: " + header.error);
        }
        mentioned = PatternsMentionedIn(header.text);
        if (mentioned.none()) {
            return std::nullopt;
        }
        if (mentioned.count() > 1) {
            return refuse("its text mentions more than one of the images (" + Names(mentioned) +
                          "); name the file after the one it is");
        }
    }
    if (bytes.empty()) {
        bytes = ReadFileBytes(path, MaxFileSize(limits), SIZE_MAX, error);
        if (!error.empty()) {
            return refuse(error);
        }
    }
    ReadResult read = DecodeGrayImage(bytes, limits);
    if (!read.ok()) {
        return refuse("cannot be read: " + read.error);
    }
    if (named.any()) {
        mentioned = PatternsMentionedIn(read.text);
        if (mentioned.any() && (mentioned & named).none()) {
            return refuse("its name says " + Names(named) + " but its content says " +
                          Names(mentioned));
        }
    }
    const std::optional<Shape> shape = ShapeOf(read.image);
    if (!shape) {
        return refuse("unexpected size " + std::to_string(read.image.width) + " × " +
                      std::to_string(read.image.height) + " (" + AcceptedSizes() + ")");
    }
    const Tg18Pattern pattern = *OnlyOne(named.any() ? named : mentioned);
    return Candidate{path, pattern, *shape, std::move(read.image)};
}

} // namespace

const char* Tg18Name(Tg18Pattern pattern) {
    static constexpr std::array<const char*, kTg18PatternCount> kNames = {"TG18-QC", "TG18-AFC",
                                                                          "TG18-AD"};
    return kNames.at(static_cast<std::size_t>(pattern));
}

Tg18Folder ScanTg18Folder(const std::filesystem::path& folder) {
    Tg18Folder result;
    const std::vector<std::filesystem::path> files = FilesIn(folder, result.folderError);

    // Per pattern and shape: the largest image (the first by name among equals) and the
    // files passed over for it.
    struct Slot {
        std::optional<Candidate> chosen;
        std::vector<std::filesystem::path> passedOver;
    };
    std::array<std::array<Slot, 2>, kTg18PatternCount> slots;
    const auto area = [](const Candidate& c) {
        return static_cast<std::int64_t>(c.image.width) * c.image.height;
    };
    for (const std::filesystem::path& path : files) {
        std::optional<Candidate> candidate = Examine(path, result.problems);
        if (!candidate) {
            continue;
        }
        Slot& slot = slots[static_cast<std::size_t>(candidate->pattern)]
                          [static_cast<std::size_t>(candidate->shape)];
        if (!slot.chosen || area(*candidate) > area(*slot.chosen)) {
            std::swap(slot.chosen, candidate);
        }
        if (candidate) {
            slot.passedOver.push_back(candidate->path);
        }
    }
    for (int p = 0; p < kTg18PatternCount; ++p) {
        Tg18Images& images = result.images[static_cast<std::size_t>(p)];
        for (int s = 0; s < 2; ++s) {
            Slot& slot = slots[static_cast<std::size_t>(p)][static_cast<std::size_t>(s)];
            if (!slot.chosen) {
                continue;
            }
            const std::string shape = s == 0 ? "square" : "portrait";
            for (const std::filesystem::path& path : slot.passedOver) {
                result.problems.push_back(
                    {path, std::string("not used: the ") + shape + " " +
                               Tg18Name(static_cast<Tg18Pattern>(p)) + " is taken from " +
                               slot.chosen->path.filename().string() +
                               " (the largest, the first by name among equals)"});
            }
            Tg18Image image{std::move(slot.chosen->image), slot.chosen->path};
            (s == 0 ? images.square : images.portrait) = std::move(image);
        }
    }
    std::sort(result.problems.begin(), result.problems.end(),
              [](const Tg18Problem& a, const Tg18Problem& b) { return a.path < b.path; });
    return result;
}

const GrayImage* ChooseTg18Image(const Tg18Images& images, int width, int height) {
    if (height > width && images.portrait) {
        return &images.portrait->image;
    }
    if (images.square) {
        return &images.square->image;
    }
    return nullptr;
}

} // namespace imageio
