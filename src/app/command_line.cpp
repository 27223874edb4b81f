#include "app/command_line.h"

#include "app/language_option.h"
#include "res/bitmaps.h"

#include <ostream>
#include <string_view>

namespace {

void Usage(std::ostream& out) {
    out << "Usage: lumivex [--screen N|NAME] [--list-screens] [--language zh|en|de|fr]\n"
           "               [--export-resources DIR]\n"
           "\n"
           "Without options, shows the test patterns full screen on the primary monitor.\n"
           "  --screen N|NAME         show them on that monitor (index or name)\n"
           "  --list-screens          list the monitors: index, name, geometry in device\n"
           "                          pixels, scale factor, primary\n"
           "  --export-resources DIR  write the built-in bitmaps (TG18-QC, TG18-AFC, TG18-AD\n"
           "                          and the start-screen pictures) into DIR as .bmp files\n"
           "  --language CODE         texts in Chinese (zh), English (en), German (de) or\n"
           "                          French (fr) instead of the language of LC_ALL,\n"
           "                          LC_MESSAGES or LANG\n"
           "  --help                  show this text\n";
}

} // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            Usage(out);
            return 0;
        }
        if (arg == "--language" || arg.starts_with("--language=")) {
            const bool joined = arg.size() > std::string_view("--language").size();
            const std::string_view code = joined         ? arg.substr(arg.find('=') + 1)
                                          : i + 1 < argc ? std::string_view(argv[++i])
                                                         : std::string_view();
            if (!UseLanguageOption(code, err)) {
                return 2;
            }
            continue;
        }
        if (arg == "--export-resources" || arg.starts_with("--export-resources=")) {
            std::string_view dir;
            if (arg.size() > std::string_view("--export-resources").size()) {
                dir = arg.substr(arg.find('=') + 1);
            } else if (i + 1 < argc) {
                dir = argv[i + 1];
            }
            if (dir.empty()) {
                err << "lumivex: --export-resources needs a directory\n";
                return 2;
            }
            std::string error;
            if (!res::ExportBitmaps(std::string(dir), &error)) {
                err << "lumivex: " << error << "\n";
                return 1;
            }
            out << "Wrote " << res::BitmapResourceNames().size() << " bitmaps to " << dir << "\n";
            return 0;
        }
    }
    return std::nullopt;
}
