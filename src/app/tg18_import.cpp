#include "app/tg18_import.h"

#include "app/option_values.h"
#include "imageio/tg18_folder.h"
#include "res/bitmap_replacements.h"
#include "res/dib_pack.h"

#include <algorithm>
#include <ostream>

namespace {

struct Tg18Resources {
    imageio::Tg18Pattern pattern;
    int square;   // 1024 x 1024 built in
    int portrait; // 2048 x 2560 built in
};

constexpr Tg18Resources kResources[] = {
    {imageio::Tg18Pattern::Qc, 130, 135},
    {imageio::Tg18Pattern::Afc, 133, 137},
    {imageio::Tg18Pattern::Ad, 129, 136},
};

// The stored form of the built-in images: 8 bits with a gray colour table, bottom-up.
std::vector<std::uint8_t> GrayDib(const imageio::GrayImage& image) {
    res::GrayImage copy(image.width, image.height, 0);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.pixels.data() + static_cast<std::size_t>(y) *
                                                            static_cast<std::size_t>(image.width);
        std::copy(row, row + image.width, copy.Row(y));
    }
    const auto stride = (static_cast<std::uint32_t>(image.width) + 3u) / 4u * 4u;
    return res::PackGrayDib(copy, {0, stride * static_cast<std::uint32_t>(image.height)});
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

} // namespace

std::optional<std::string> ProcessEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

std::optional<std::filesystem::path> DefaultTg18Folder(const EnvironmentLookup& environment) {
    auto nonEmpty = [&](const char* name) -> std::optional<std::string> {
        std::optional<std::string> value = environment(name);
        return value && !value->empty() ? value : std::nullopt;
    };
#ifdef _WIN32
    if (const auto appData = nonEmpty("APPDATA")) {
        return std::filesystem::path(*appData) / "Lumivex" / "tg18";
    }
    return std::nullopt;
#else
    // Relative values are to be ignored, as the XDG base directory rules say.
    if (const auto data = nonEmpty("XDG_DATA_HOME");
        data && std::filesystem::path(*data).is_absolute()) {
        return std::filesystem::path(*data) / "lumivex" / "tg18";
    }
    if (const auto home = nonEmpty("HOME")) {
        return std::filesystem::path(*home) / ".local" / "share" / "lumivex" / "tg18";
    }
    return std::nullopt;
#endif
}

bool UseTg18Folder(const std::filesystem::path& folder, bool named, std::ostream& err) {
    res::RestoreBuiltInBitmaps();
    const imageio::Tg18Folder found = imageio::ScanTg18Folder(folder);
    if (!found.folderError.empty()) {
        std::error_code ec;
        const bool missing = !std::filesystem::exists(folder, ec);
        if (named || !missing) {
            err << "lumivex: the TG18 folder " << Quoted(folder) << " " << found.folderError
                << (named ? "\n" : "; the built-in TG18 images are shown\n");
        }
        return !named;
    }
    for (const imageio::Tg18Problem& problem : found.problems) {
        err << "lumivex: ignoring " << Quoted(problem.path) << ": " << problem.reason << "\n";
    }
    for (const Tg18Resources& r : kResources) {
        const imageio::Tg18Images& images = found.For(r.pattern);
        if (images.square) {
            res::ReplaceBitmapResource(r.square, GrayDib(images.square->image));
        }
        if (images.portrait || images.square) {
            res::ReplaceBitmapResource(
                r.portrait, GrayDib((images.portrait ? images.portrait : images.square)->image));
        }
    }
    return true;
}

std::optional<int> ImportTg18Images(int argc, const char* const* argv, std::ostream& err) {
    std::optional<std::filesystem::path> folder;
    for (int i = 1; i < argc; ++i) {
        if (!IsOption(argv[i], "--tg18-dir")) {
            continue;
        }
        const std::optional<std::string_view> value = OptionValue("--tg18-dir", argc, argv, i);
        if (!value || value->empty()) {
            err << "lumivex: --tg18-dir needs the folder that holds the TG18 images\n";
            return 2;
        }
        folder = std::filesystem::path(*value);
    }
    if (folder) {
        return UseTg18Folder(*folder, true, err) ? std::nullopt : std::optional<int>(2);
    }
    if (const std::optional<std::filesystem::path> standard = DefaultTg18Folder()) {
        UseTg18Folder(*standard, false, err);
    }
    return std::nullopt;
}
