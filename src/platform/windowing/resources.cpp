#include "platform/windowing/resources.h"

namespace windowing {

namespace {

ResourceLookup& Registered() {
    static ResourceLookup lookup;
    return lookup;
}

} // namespace

void SetResourceLookup(const ResourceLookup& lookup) {
    Registered() = lookup;
}

const DialogTemplate* FindDialogTemplate(int id) {
    const ResourceLookup& r = Registered();
    return r.dialog ? r.dialog(id) : nullptr;
}

std::string LoadString(HINSTANCE module, int id) {
    const ResourceLookup& r = Registered();
    if (module != AfxGetInstanceHandle() || !r.string) {
        return {};
    }
    return r.string(id);
}

} // namespace windowing

HICON LoadIconOfSize(HINSTANCE module, int id, int size) {
    const windowing::ResourceLookup& r = windowing::Registered();
    if (module != AfxGetInstanceHandle() || !r.icon) {
        return nullptr;
    }
    return r.icon(id, size);
}

HICON LoadIconW(HINSTANCE module, int id) {
    return LoadIconOfSize(module, id, 32);
}
