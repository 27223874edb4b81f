#include "app/language_option.h"

#include "res/register.h"

#include <ostream>

base::UiLanguage LanguageFromEnvironment() {
    return base::LanguageOfLocale(base::MessagesLocale());
}

bool UseLanguageOption(std::string_view code, std::ostream& err) {
    const std::optional<base::UiLanguage> language = base::LanguageOfCode(code);
    if (!language) {
        if (code.empty()) {
            err << "lumivex: --language needs a language code";
        } else {
            err << "lumivex: unknown language '" << code << "'";
        }
        err << "; the languages are zh (Chinese), en (English), de (German) and fr (French)\n";
        return false;
    }
    res::RegisterResources(*language);
    return true;
}
