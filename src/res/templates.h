#pragma once

#include "platform/windowing/dialog_template.h"

namespace res {

// The program's dialog templates, by resource id; null for an unknown id.
const windowing::DialogTemplate* FindDialogTemplate(int id);

} // namespace res
