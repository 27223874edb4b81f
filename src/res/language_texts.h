#pragma once
// The program's texts in one language: the string table, the selection dialog's pattern labels
// and the dialog templates' texts. One table per language, each in its own file (texts_*.cpp);
// the layout of the dialogs is the same in all of them.

#include "platform/base/ui_language.h"

#include <array>
#include <string_view>

namespace res {

constexpr int kPatternLabels = 43;

struct LanguageTexts {
    base::UiLanguage language;
    int resourceLanguage; // the platform's language id the templates carry (2052: Chinese, PRC)
    // String table.
    std::string_view aboutMenuItem; // the system menu's item, with its "&" mnemonic
    // The system menu's item of one monitor; {index}, {name}, {width} and {height} are filled in.
    std::string_view screenMenuItem;
    // About box.
    std::string_view aboutCaption;
    std::string_view aboutVersion;
    std::string_view aboutDescription;
    std::string_view aboutOk;
    // Selection dialog.
    std::string_view selectionCaption;
    std::string_view clearAll;
    std::array<std::string_view, kPatternLabels> patternLabels; // in pattern-id order
};

extern const LanguageTexts kChineseTexts;
extern const LanguageTexts kEnglishTexts;
extern const LanguageTexts kGermanTexts;
extern const LanguageTexts kFrenchTexts;

const LanguageTexts& TextsOf(base::UiLanguage language);

} // namespace res
