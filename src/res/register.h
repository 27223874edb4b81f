#pragma once

namespace res {

// Makes the program's bitmaps, dialog templates, icons and strings the module's resources, as
// the platform layers look them up. Called once at start-up, before any window or bitmap is made.
void RegisterResources();

} // namespace res
