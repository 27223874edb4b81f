#include "res/language_texts.h"

namespace res {

const LanguageTexts& TextsOf(base::UiLanguage language) {
    switch (language) {
    case base::UiLanguage::Chinese:
        return kChineseTexts;
    case base::UiLanguage::German:
        return kGermanTexts;
    case base::UiLanguage::French:
        return kFrenchTexts;
    case base::UiLanguage::English:
        break;
    }
    return kEnglishTexts;
}

} // namespace res
