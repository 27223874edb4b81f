#pragma once
// Running the program in another language than the tests' default (the original, Chinese), and
// an environment of locale variables for as long as a test needs it.

#include "platform/base/ui_language.h"
#include "res/register.h"

#include <array>
#include <cstdlib>
#include <optional>
#include <string>

namespace testing_support {

// The resources of a language are registered while the object lives, Chinese again after.
class ScopedLanguage {
  public:
    explicit ScopedLanguage(base::UiLanguage language) { res::RegisterResources(language); }
    ~ScopedLanguage() { res::RegisterResources(base::UiLanguage::Chinese); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;
};

// LC_ALL, LC_MESSAGES and LANG as given (nullopt: unset) while the object lives; their old
// values after.
class ScopedLocaleEnvironment {
  public:
    ScopedLocaleEnvironment(std::optional<std::string> lcAll, std::optional<std::string> lcMessages,
                            std::optional<std::string> lang) {
        const std::array<std::optional<std::string>, 3> values = {lcAll, lcMessages, lang};
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            if (const char* old = std::getenv(kNames[i])) {
                saved_[i] = old;
            }
            Set(kNames[i], values[i]);
        }
    }
    ~ScopedLocaleEnvironment() {
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            Set(kNames[i], saved_[i]);
        }
    }
    ScopedLocaleEnvironment(const ScopedLocaleEnvironment&) = delete;
    ScopedLocaleEnvironment& operator=(const ScopedLocaleEnvironment&) = delete;

  private:
    static constexpr std::array<const char*, 3> kNames = {"LC_ALL", "LC_MESSAGES", "LANG"};
    static void Set(const char* name, const std::optional<std::string>& value) {
#ifdef _WIN32
        // The C runtime's environment, which getenv reads: an empty value removes the name.
        ::_putenv_s(name, value ? value->c_str() : "");
#else
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
#endif
    }
    std::array<std::optional<std::string>, 3> saved_;
};

// Only LANG set, as on most desktops.
inline ScopedLocaleEnvironment LangOnly(const std::string& lang) {
    return ScopedLocaleEnvironment(std::nullopt, std::nullopt, lang);
}

} // namespace testing_support
