#pragma once
// The user's interface language: the languages the program carries its texts in, and how a
// platform's locale name selects one. Each platform finds the locale its own way: Unix from the
// environment (MessagesLocale), Windows from the user's UI language as a locale name.

#include <optional>
#include <string>
#include <string_view>

namespace base {

enum class UiLanguage { Chinese, English, German, French };

inline constexpr UiLanguage kUiLanguages[] = {UiLanguage::Chinese, UiLanguage::English,
                                              UiLanguage::German, UiLanguage::French};

// The language a locale name stands for, in either spelling: "zh_CN.UTF-8", "de_AT@euro",
// "fr-CA", "en". Chinese of any region, German and French are their own; anything else, "C"
// and "POSIX" included, is English.
UiLanguage LanguageOfLocale(std::string_view locale);

// The language of a two-letter code, "zh", "en", "de" or "fr", in either case; nothing for any
// other code.
std::optional<UiLanguage> LanguageOfCode(std::string_view code);

// The locale that governs messages, found as the C library finds it: the first of LC_ALL,
// LC_MESSAGES and LANG that is set to a non-empty value; empty when none is.
std::string MessagesLocale();

} // namespace base
