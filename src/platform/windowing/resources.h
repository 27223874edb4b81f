#pragma once
// The window layer's resources — dialog templates, icons and the string table — reached through a
// lookup that the program registers at start-up (its bitmaps go through base::SetBitmapLookup).

#include "platform/base/module.h"
#include "platform/windowing/dialog_template.h"
#include "platform/windowing/window.h"

#include <string>

namespace windowing {

struct ResourceLookup {
    const DialogTemplate* (*dialog)(int id) = nullptr;
    // The icon group's image of the given square size, or null.
    const IconData* (*icon)(int id, int size) = nullptr;
    // The string table; empty for an unknown id.
    std::string (*string)(int id) = nullptr;
};

// Registers the program's resources; an empty lookup unregisters them.
void SetResourceLookup(const ResourceLookup& lookup);

// The program's dialog templates, by resource id; null for an unknown id.
const DialogTemplate* FindDialogTemplate(int id);

// The string with the given id of the module's string table; empty when it has none.
std::string LoadString(HINSTANCE module, int id);

} // namespace windowing

// Icon group id of module at the system's standard icon size (32 x 32); null when it has none.
HICON LoadIconW(HINSTANCE module, int id);
// The same icon group's image at a chosen square size (16 or 32).
HICON LoadIconOfSize(HINSTANCE module, int id, int size);
