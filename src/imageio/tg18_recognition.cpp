#include "tg18_recognition.h"

#include <array>
#include <cctype>
#include <string>

namespace imageio {

namespace {

constexpr std::array<std::string_view, kTg18PatternCount> kCodes = {"qc", "afc", "ad"};

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

// The pattern whose code is exactly `word`, or -1.
int CodeIndex(std::string_view word) {
    for (std::size_t i = 0; i < kCodes.size(); ++i) {
        if (word == kCodes[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

Tg18PatternSet PatternsNamedIn(std::string_view fileName) {
    std::string name = Lower(fileName);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) {
        name.resize(dot);
    }
    Tg18PatternSet found;
    std::size_t i = 0;
    while (i < name.size()) {
        if (!IsWordChar(name[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < name.size() && IsWordChar(name[end])) {
            ++end;
        }
        std::string_view word(name.data() + i, end - i);
        if (word.starts_with("tg18")) {
            word.remove_prefix(4);
        }
        if (const int index = CodeIndex(word); index >= 0) {
            found.set(static_cast<std::size_t>(index));
        }
        i = end;
    }
    return found;
}

Tg18PatternSet PatternsMentionedIn(std::string_view text) {
    const std::string lower = Lower(text);
    Tg18PatternSet found;
    for (std::size_t at = lower.find("tg18"); at != std::string::npos;
         at = lower.find("tg18", at + 1)) {
        if (at > 0 && IsWordChar(lower[at - 1])) {
            continue;
        }
        std::size_t start = at + 4;
        if (start < lower.size() &&
            (lower[start] == '-' || lower[start] == '_' || lower[start] == ' ')) {
            ++start;
        }
        std::size_t end = start;
        while (end < lower.size() && IsWordChar(lower[end])) {
            ++end;
        }
        if (const int index = CodeIndex(std::string_view(lower).substr(start, end - start));
            index >= 0) {
            found.set(static_cast<std::size_t>(index));
        }
    }
    return found;
}

} // namespace imageio
