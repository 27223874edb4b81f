#include "app/option_values.h"

bool IsOption(std::string_view arg, std::string_view name) {
    return arg == name ||
           (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=');
}

std::optional<std::string_view> OptionValue(std::string_view name, int argc,
                                            const char* const* argv, int& i) {
    const std::string_view arg = argv[i];
    if (arg.size() > name.size()) {
        return arg.substr(name.size() + 1);
    }
    if (i + 1 < argc) {
        return std::string_view(argv[++i]);
    }
    return std::nullopt;
}
