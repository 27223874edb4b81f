#pragma once

#include "platform/base/ui_language.h"

namespace res {

// Makes the program's bitmaps, dialog templates, icons and strings in the given language the
// module's resources, as the platform layers look them up. Called at start-up, before any window
// or bitmap is made; calling it again switches the language of the windows made after it.
void RegisterResources(base::UiLanguage language);

} // namespace res
