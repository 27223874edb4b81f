#include "app/export_options.h"

#include "app/option_values.h"
#include "catalogue/catalogue.h"

#include <charconv>
#include <ostream>
#include <string>

namespace {

constexpr int kMaxSide = imageio::kMaxImageSide;

// A whole number written with digits only, nothing before or after.
std::optional<int> Number(std::string_view text) {
    int value = 0;
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos) {
        return std::nullopt;
    }
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::optional<std::pair<int, int>> Size(std::string_view text) {
    const std::size_t x = text.find_first_of("xX");
    if (x == text.npos) {
        return std::nullopt;
    }
    const std::optional<int> w = Number(text.substr(0, x));
    const std::optional<int> h = Number(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > kMaxSide || *h > kMaxSide) {
        return std::nullopt;
    }
    return std::pair{*w, *h};
}

bool Unavailable(imageio::ImageFormat format, std::ostream& err) {
    if (imageio::FormatAvailable(format)) {
        return false;
    }
    err << "lumivex: " << imageio::FormatName(format)
        << " files are not available in this build; it writes .bmp files\n";
    return true;
}

// Why the output cannot be used before anything is drawn, or an empty string.
std::string OutputProblem(const ExportOptions& o) {
    std::error_code ec;
    if (o.subject == ExportOptions::Subject::Everything) {
        if (std::filesystem::exists(o.output, ec) && !std::filesystem::is_directory(o.output, ec)) {
            return "'" + o.output.string() + "' is not a folder";
        }
        return {};
    }
    if (std::filesystem::is_directory(o.output, ec)) {
        return "'" + o.output.string() + "' is a folder; -o names the file to write";
    }
    const std::filesystem::path parent =
        o.output.has_parent_path() ? o.output.parent_path() : std::filesystem::path(".");
    if (!std::filesystem::is_directory(parent, ec)) {
        return "cannot write '" + o.output.string() + "': there is no folder '" + parent.string() +
               "'";
    }
    return {};
}

} // namespace

bool IsReachableStepCount(int steps) {
    for (int s = 8; s <= 256; s *= 2) {
        if (steps == s) {
            return true;
        }
    }
    return false;
}

std::optional<ExportOptions> ParseExportOptions(int argc, const char* const* argv,
                                                std::ostream& err) {
    ExportOptions o;
    bool haveSubject = false, haveSize = false, haveOutput = false, haveFormat = false;
    auto fail = [&](const std::string& message) -> std::optional<ExportOptions> {
        err << "lumivex: " << message << "\n";
        return std::nullopt;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::string_view name;
        for (const std::string_view option :
             {"--export", "--size", "-o", "--output", "--gray", "--steps", "--labels", "--format",
              "--tg18-dir", "--language"}) {
            if (IsOption(arg, option)) {
                name = option;
            }
        }
        if (name.empty()) {
            return fail("--export does not take '" + std::string(arg) + "' (see lumivex --help)");
        }
        const std::optional<std::string_view> value = OptionValue(name, argc, argv, i);
        if (!value) {
            return fail(std::string(name) + " needs a value (see lumivex --help)");
        }
        const std::string text(*value);
        if (name == "--export") {
            haveSubject = true;
            if (text == "all") {
                o.subject = ExportOptions::Subject::Everything;
            } else if (text == "start") {
                o.subject = ExportOptions::Subject::StartScreen;
            } else if (const std::optional<int> id = Number(text); id && *id < kPatternCount) {
                o.subject = ExportOptions::Subject::Pattern;
                o.pattern = *id;
            } else {
                return fail("unknown pattern '" + text +
                            "' for --export: give a number from 0 to " +
                            std::to_string(kPatternCount - 1) + ", start or all");
            }
        } else if (name == "--size") {
            const auto size = Size(text);
            if (!size) {
                return fail("--size must be WIDTHxHEIGHT with each side 1 to " +
                            std::to_string(kMaxSide) + " pixels, not '" + text + "'");
            }
            std::tie(o.width, o.height) = *size;
            haveSize = true;
        } else if (name == "-o" || name == "--output") {
            if (text.empty()) {
                return fail(std::string(name) + " needs a file name");
            }
            o.output = text;
            haveOutput = true;
        } else if (name == "--gray") {
            const std::optional<int> gray = Number(text);
            if (!gray || *gray > 255) {
                return fail("--gray must be a gray level from 0 to 255, not '" + text + "'");
            }
            o.grayLevel = *gray;
        } else if (name == "--steps") {
            const std::optional<int> steps = Number(text);
            if (!steps || !IsReachableStepCount(*steps)) {
                return fail("--steps must be 8, 16, 32, 64, 128 or 256 (the step counts Page Up "
                            "and Page Down set), not '" +
                            text + "'");
            }
            o.stepCount = *steps;
        } else if (name == "--labels") {
            if (text != "on" && text != "off") {
                return fail("--labels must be on or off, not '" + text + "'");
            }
            o.labelsOn = text == "on";
        } else if (name == "--format") {
            const std::optional<imageio::ImageFormat> format = imageio::FormatOfExtension(text);
            if (!format) {
                return fail("--format must be png, dcm or bmp, not '" + text + "'");
            }
            o.format = *format;
            haveFormat = true;
        }
        // --tg18-dir and --language are carried out by the code that owns them.
    }
    if (!haveSubject) {
        return fail("--export needs a pattern: a number from 0 to 42, start or all");
    }
    if (!haveSize) {
        return fail("--export needs --size WIDTHxHEIGHT, the client area to draw for");
    }
    if (!haveOutput) {
        return fail(o.subject == ExportOptions::Subject::Everything
                        ? "--export all needs -o FOLDER"
                        : "--export needs -o FILE (.png, .dcm or .bmp)");
    }
    if (o.subject == ExportOptions::Subject::Everything) {
        if (Unavailable(o.format, err)) {
            return std::nullopt;
        }
    } else {
        if (haveFormat) {
            return fail("--format is for --export all; the type of a single file follows its "
                        "name");
        }
        const std::optional<imageio::ImageFormat> format = imageio::FormatFromExtension(o.output);
        if (!format) {
            return fail("cannot tell the file type of '" + o.output.string() +
                        "': the name must end in .png, .dcm or .bmp");
        }
        if (Unavailable(*format, err)) {
            return std::nullopt;
        }
        o.format = *format;
    }
    if (const std::string problem = OutputProblem(o); !problem.empty()) {
        return fail(problem);
    }
    return o;
}
