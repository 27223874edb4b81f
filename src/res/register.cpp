#include "res/register.h"

#include "platform/base/module.h"
#include "platform/windowing/resources.h"
#include "res/bitmaps.h"
#include "res/icon.h"
#include "res/strings.h"
#include "res/templates.h"

namespace res {

void RegisterResources() {
    base::SetBitmapLookup(&FindBitmapResource);
    windowing::ResourceLookup lookup;
    lookup.dialog = &FindDialogTemplate;
    lookup.icon = [](int id, int size) { return LoadIcon(id, size); };
    lookup.string = &LoadString;
    windowing::SetResourceLookup(lookup);
}

} // namespace res
