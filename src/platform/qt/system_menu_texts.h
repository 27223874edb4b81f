#pragma once
// The window system's own items of a window's system menu, in the user's interface language,
// as the platform shows them whatever language a program speaks.

#include "platform/base/ui_language.h"

#include <QString>

namespace qtbackend {

struct SystemMenuTexts {
    QString restore, minimize, maximize, close;
};

SystemMenuTexts SystemMenuTextsIn(base::UiLanguage language);

} // namespace qtbackend
