#pragma once
// The language of the program's texts: the user's, unless --language names another.

#include "platform/base/ui_language.h"

#include <iosfwd>
#include <string_view>

// The language the environment asks for (LC_ALL, LC_MESSAGES, then LANG).
base::UiLanguage LanguageFromEnvironment();

// Carries out --language CODE: registers the resources of that language and returns true, or
// reports an unknown code on err and returns false.
bool UseLanguageOption(std::string_view code, std::ostream& err);
