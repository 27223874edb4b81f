#pragma once

#include "platform/base/ui_language.h"
#include "platform/windowing/dialog_template.h"

namespace res {

// The program's dialog templates in a language, by resource id; null for an unknown id.
const windowing::DialogTemplate* FindDialogTemplate(base::UiLanguage language, int id);

} // namespace res
