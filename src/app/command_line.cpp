#include "app/command_line.h"

#include "app/export_command.h"
#include "app/language_option.h"
#include "lumivex_config.h"
#include "res/bitmaps.h"

#include <ostream>
#include <string_view>

namespace {

void Usage(std::ostream& out) {
    out << "Usage: lumivex [OPTION]...\n"
           "  or:  lumivex --export PATTERN|start|all --size WxH -o FILE|DIR [OPTION]...\n"
           "Show full-screen test patterns for checking displays; without options the\n"
           "patterns fill the primary monitor and the keys step through them.\n"
           "\n"
           "Options:\n"
           "  --screen N|NAME         show them on that monitor (index or name)\n"
           "  --list-screens          list the monitors: index, name, geometry in device\n"
           "                          pixels, scale factor, primary\n"
           "  --language zh|en|de|fr  texts in Chinese, English, German or French instead\n"
           "                          of the language of LC_ALL, LC_MESSAGES or LANG\n"
           "  --tg18-dir DIR          patterns 14-16 show the AAPM's own TG18-QC, TG18-AFC\n"
           "                          and TG18-AD images from DIR (DICOM, PNG or TIFF);\n"
           "                          without it, from $XDG_DATA_HOME/lumivex/tg18\n"
           "                          (~/.local/share/lumivex/tg18) when they are there\n"
           "  --verify                show each pattern of the playlist and check that the\n"
           "                          window system holds exactly the pixels drawn; exit\n"
           "                          status 0 only when every pattern is exact\n"
           "  --export PATTERN        write the frame of pattern 0-42, of the start screen\n"
           "                          (start) or of each of them (all) as an image file\n"
           "  --size WxH              the client area the frame is drawn for (1-16384)\n"
           "  -o FILE|DIR             the file (.png, .dcm or .bmp), or the folder for all\n"
           "  --gray N                gray level 0-255 (default 0)\n"
           "  --steps N               step count 8, 16, 32, 64, 128 or 256 (default 128)\n"
           "  --labels on|off         value labels (default on)\n"
           "  --format png|dcm|bmp    the file type for all (default png)\n"
           "  --export-resources DIR  write the built-in bitmaps (TG18-QC, TG18-AFC, TG18-AD\n"
           "                          and the start-screen pictures) into DIR as .bmp files\n"
           "  -h, --help              show this text and exit\n"
           "      --version           show the version and exit\n"
           "\n"
           "Options of the window system, such as -platform NAME, are passed on to it.\n";
}

} // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err, const ExportEnvironment* exporting) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            Usage(out);
            return 0;
        }
        if (arg == "--version") {
            out << "lumivex " LUMIVEX_VERSION "\n";
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
    if (WantsExport(argc, argv)) {
        return RunExport(argc, argv, exporting ? *exporting : ExportEnvironment{}, out, err);
    }
    return std::nullopt;
}
