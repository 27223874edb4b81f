#include "platform/base/module.h"

#include <atomic>

namespace {

std::atomic<base::BitmapLookup> bitmapLookup{nullptr};

} // namespace

HINSTANCE AfxGetInstanceHandle() {
    static ModuleInstance module;
    return &module;
}

HINSTANCE AfxFindResourceHandle(int /*id*/, int /*type*/) {
    return AfxGetInstanceHandle();
}

namespace base {

void SetBitmapLookup(BitmapLookup lookup) {
    bitmapLookup.store(lookup);
}

const std::vector<std::uint8_t>* FindBitmapResource(HINSTANCE module, int id) {
    const BitmapLookup lookup = bitmapLookup.load();
    if (module != AfxGetInstanceHandle() || !lookup) {
        return nullptr;
    }
    return lookup(id);
}

} // namespace base
