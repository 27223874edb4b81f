#pragma once

#include "platform/base/ui_language.h"

#include <string>

namespace res {

// The string table of a language: the system menu's About item and the pattern labels; empty
// for an unknown id.
std::string LoadString(base::UiLanguage language, int id);

} // namespace res
