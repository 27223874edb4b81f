#include "res/strings.h"

#include "res/language_texts.h"
#include "res/resource_ids.h"

namespace res {

std::string LoadString(base::UiLanguage language, int id) {
    const LanguageTexts& texts = TextsOf(language);
    if (id == IDS_ABOUTBOX) {
        return std::string(texts.aboutMenuItem);
    }
    if (id == IDS_SCREEN_ITEM) {
        return std::string(texts.screenMenuItem);
    }
    const int label = id - IDS_FIRST_PATTERN_LABEL;
    if (label >= 0 && label < kPatternLabels) {
        return std::string(texts.patternLabels[static_cast<std::size_t>(label)]);
    }
    return {};
}

} // namespace res
