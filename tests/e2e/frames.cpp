// The frames the end-to-end checks expect: runs the program on the headless backend at a screen
// size, feeds it a script of keys and clicks, and writes the screen wherever the script says.
//
//   lumivex_frames [--text=boxes|none] WIDTH HEIGHT DIR STEP...
//
// A STEP is a key as xdotool names it (Left, Right, Up, Down, Prior, Next, Return, Escape, a
// digit or a letter), "rclick" for a right click, or "=NAME", which writes the screen as it
// stands to DIR/NAME.ppm (binary PPM). The program starts without a settings file, as the
// end-to-end run of the real program does; the one it writes goes to a temporary directory.
// --text draws every character as a solid box over its cell and ink, or as nothing: where the
// two frames differ, the frame shows text (see text_stand_ins.h).

#include "e2e/text_stand_ins.h"
#include "support/session.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace {

std::optional<UINT> VirtualKey(const std::string& name) {
    static const std::pair<const char*, UINT> kNamed[] = {
        {"Left", VK_LEFT},   {"Right", VK_RIGHT}, {"Up", VK_UP},         {"Down", VK_DOWN},
        {"Prior", VK_PRIOR}, {"Next", VK_NEXT},   {"Return", VK_RETURN}, {"Escape", VK_ESCAPE},
    };
    for (const auto& [n, vk] : kNamed) {
        if (name == n) {
            return vk;
        }
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    return std::nullopt;
}

bool WritePpm(const gdi::Surface& s, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << s.Width() << ' ' << s.Height() << "\n255\n";
    std::string row(static_cast<std::size_t>(s.Width()) * 3, '\0');
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            const std::uint32_t p = s.At(x, y);
            row[3 * x] = static_cast<char>(p >> 16);
            row[3 * x + 1] = static_cast<char>(p >> 8);
            row[3 * x + 2] = static_cast<char>(p);
        }
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]).starts_with("--text=")) {
        frames::TextStandIn standIn{};
        if (!frames::ParseTextStandIn(std::string_view(argv[1]).substr(7), standIn)) {
            std::cerr << "lumivex_frames: --text takes boxes or none\n";
            return 2;
        }
        frames::UseTextStandIn(standIn);
        --argc;
        ++argv;
    }
    if (argc < 4) {
        std::cerr << "usage: lumivex_frames [--text=boxes|none] WIDTH HEIGHT DIR STEP...\n";
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    const std::string dir = argv[3];
    if (width <= 0 || height <= 0) {
        std::cerr << "lumivex_frames: bad screen size " << argv[1] << "x" << argv[2] << "\n";
        return 2;
    }
    testing_support::Session session(width, height);
    int status = 0;
    for (int i = 4; i < argc; ++i) {
        const std::string step = argv[i];
        if (step.size() > 1 && step[0] == '=') {
            const std::string path = dir + "/" + step.substr(1) + ".ppm";
            session.backend.Run([&session, &status, path] {
                if (!WritePpm(session.Screen(), path)) {
                    std::cerr << "lumivex_frames: cannot write " << path << "\n";
                    status = 1;
                }
            });
        } else if (step == "rclick") {
            session.backend.Mouse(WM_RBUTTONDOWN, width / 2, height / 2);
            session.backend.Mouse(WM_RBUTTONUP, width / 2, height / 2);
        } else if (const auto vk = VirtualKey(step)) {
            session.backend.KeyDown(*vk);
        } else {
            std::cerr << "lumivex_frames: unknown step '" << step << "'\n";
            return 2;
        }
    }
    session.Run();
    return status;
}
