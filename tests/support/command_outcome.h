// What a command-line handler made of the arguments: its exit code (none when the program goes
// on to start its window) and what it wrote to standard output and standard error.
#pragma once

#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace testing_support {

struct CommandOutcome {
    std::optional<int> code;
    std::string out, err;
};

using CommandHandler = std::optional<int> (*)(int argc, const char* const* argv, std::ostream& out,
                                              std::ostream& err);

// Runs handler on "lumivex" followed by args.
inline CommandOutcome RunCommand(CommandHandler handler, std::vector<const char*> args) {
    args.insert(args.begin(), "lumivex");
    std::ostringstream out, err;
    CommandOutcome o;
    o.code = handler(static_cast<int>(args.size()), args.data(), out, err);
    o.out = out.str();
    o.err = err.str();
    return o;
}

} // namespace testing_support
