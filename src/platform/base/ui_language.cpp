#include "platform/base/ui_language.h"

#include <array>
#include <cstdlib>

namespace base {

namespace {

struct Entry {
    UiLanguage language;
    std::string_view code;
};

constexpr std::array<Entry, 4> kCodes = {{{UiLanguage::Chinese, "zh"},
                                          {UiLanguage::English, "en"},
                                          {UiLanguage::German, "de"},
                                          {UiLanguage::French, "fr"}}};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

} // namespace

std::optional<UiLanguage> LanguageOfCode(std::string_view code) {
    const std::string lower = Lower(code);
    for (const Entry& e : kCodes) {
        if (lower == e.code) {
            return e.language;
        }
    }
    return std::nullopt;
}

UiLanguage LanguageOfLocale(std::string_view locale) {
    // The language is what comes before the territory, the code set or the modifier.
    const std::size_t end = locale.find_first_of("_-.@");
    return LanguageOfCode(locale.substr(0, end)).value_or(UiLanguage::English);
}

std::string MessagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            return value;
        }
    }
    return {};
}

} // namespace base
