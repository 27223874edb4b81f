#pragma once
// Reading an option and its value from the command line, as "--name value" or "--name=value".

#include <optional>
#include <string_view>

// True when arg is the option name itself or name=value.
bool IsOption(std::string_view arg, std::string_view name);

// The value of the option argv[i] (which IsOption(argv[i], name) accepted): the part after '='
// or the next argument, in which case i moves on to it. None when no value follows.
std::optional<std::string_view> OptionValue(std::string_view name, int argc,
                                            const char* const* argv, int& i);
