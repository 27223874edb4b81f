#include "app/screen_options.h"

#include "platform/windowing/window_manager.h"

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

std::string ScaleText(double scale) {
    std::ostringstream s;
    s << std::setprecision(4) << scale;
    return s.str();
}

bool IsIndex(const std::string& text) {
    return !text.empty() && text.size() < 6 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

void ListMonitors(const std::vector<windowing::Monitor>& monitors, std::ostream& out) {
    std::vector<std::vector<std::string>> rows{
        {"#", "name", "x", "y", "width", "height", "scale", "primary"}};
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const windowing::Monitor& m = monitors[i];
        rows.push_back({std::to_string(i), m.name.empty() ? "-" : m.name,
                        std::to_string(m.rect.left), std::to_string(m.rect.top),
                        std::to_string(m.rect.right - m.rect.left),
                        std::to_string(m.rect.bottom - m.rect.top), ScaleText(m.scale),
                        m.primary ? "yes" : "no"});
    }
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size()) {
                line += std::string(widths[c] - row[c].size() + 2, ' ');
            }
        }
        out << line << "\n";
    }
}

std::optional<windowing::Monitor> FindScreen(const std::vector<windowing::Monitor>& monitors,
                                             const std::string& which) {
    if (IsIndex(which)) {
        const std::size_t index = std::stoul(which);
        if (index < monitors.size()) {
            return monitors[index];
        }
        return std::nullopt;
    }
    for (const windowing::Monitor& m : monitors) {
        if (m.name == which) {
            return m;
        }
    }
    return std::nullopt;
}

std::optional<int> ApplyScreenOptions(int argc, const char* const* argv, std::ostream& out,
                                      std::ostream& err) {
    bool list = false;
    std::optional<std::string> screen;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--list-screens") {
            list = true;
        } else if (arg == "--screen") {
            screen = i + 1 < argc ? argv[++i] : "";
        } else if (arg.starts_with("--screen=")) {
            screen = std::string(arg.substr(arg.find('=') + 1));
        }
    }
    if (screen && screen->empty()) {
        err << "lumivex: --screen needs a monitor's index or name (see --list-screens)\n";
        return 2;
    }
    const std::vector<windowing::Monitor> monitors = windowing::Monitors();
    if (list) {
        ListMonitors(monitors, out);
        return 0;
    }
    if (!screen) {
        return std::nullopt;
    }
    const std::optional<windowing::Monitor> chosen = FindScreen(monitors, *screen);
    if (!chosen) {
        err << "lumivex: there is no monitor '" << *screen << "'. The monitors are:\n";
        ListMonitors(monitors, err);
        return 2;
    }
    windowing::SetStartMonitor(*chosen);
    return std::nullopt;
}
