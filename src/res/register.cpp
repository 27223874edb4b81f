#include "res/register.h"

#include "platform/base/module.h"
#include "platform/windowing/resources.h"
#include "res/bitmaps.h"
#include "res/icon.h"
#include "res/strings.h"
#include "res/templates.h"

namespace res {

namespace {

// The window layer's lookup is a set of plain functions, one set per language: the language is
// part of the function, as a module holds one string table and one set of dialogs per language.
template <base::UiLanguage L> const windowing::DialogTemplate* DialogIn(int id) {
    return FindDialogTemplate(L, id);
}

template <base::UiLanguage L> std::string StringIn(int id) {
    return LoadString(L, id);
}

template <base::UiLanguage L> windowing::ResourceLookup LookupIn() {
    windowing::ResourceLookup lookup;
    lookup.dialog = &DialogIn<L>;
    lookup.icon = [](int id, int size) { return LoadIcon(id, size); };
    lookup.string = &StringIn<L>;
    return lookup;
}

windowing::ResourceLookup LookupIn(base::UiLanguage language) {
    switch (language) {
    case base::UiLanguage::Chinese:
        return LookupIn<base::UiLanguage::Chinese>();
    case base::UiLanguage::German:
        return LookupIn<base::UiLanguage::German>();
    case base::UiLanguage::French:
        return LookupIn<base::UiLanguage::French>();
    case base::UiLanguage::English:
        break;
    }
    return LookupIn<base::UiLanguage::English>();
}

} // namespace

void RegisterResources(base::UiLanguage language) {
    base::SetBitmapLookup(&FindBitmapResource);
    windowing::SetResourceLookup(LookupIn(language));
}

} // namespace res
