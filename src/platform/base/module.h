#pragma once
// The program's module and the lookup through which the platform layers reach its resources.
// The resources themselves belong to the program (src/res); the program registers where to find
// them at start-up, as it registers its window system, so that nothing below it depends on it.

#include "platform/base/types.h"

#include <cstdint>
#include <vector>

// The program's one module. Its handle only identifies it.
struct ModuleInstance {};
using HINSTANCE = ModuleInstance*;

constexpr int RT_BITMAP = 2;
constexpr int RT_DIALOG = 5;
constexpr int RT_STRING = 6;
constexpr int RT_GROUP_ICON = 14;

HINSTANCE AfxGetInstanceHandle();
// The module holding a resource: always the program's own.
HINSTANCE AfxFindResourceHandle(int id, int type);

namespace base {

// The stored bytes of bitmap resource id (a packed DIB without file header), or null when the
// program has no such bitmap.
using BitmapLookup = const std::vector<std::uint8_t>* (*)(int id);

// Registers the program's bitmaps; null unregisters. Until one is registered no bitmap exists.
void SetBitmapLookup(BitmapLookup lookup);
// The bytes of bitmap resource id of module, or null for another module or an unknown id.
const std::vector<std::uint8_t>* FindBitmapResource(HINSTANCE module, int id);

} // namespace base
