#include "res/bitmap_replacements.h"

#include "res/bitmaps.h"

#include <map>

namespace res {

namespace {

std::map<int, std::vector<std::uint8_t>>& Replacements() {
    static std::map<int, std::vector<std::uint8_t>> replacements;
    return replacements;
}

} // namespace

void ReplaceBitmapResource(int id, std::vector<std::uint8_t> dib) {
    Replacements()[id] = std::move(dib);
}

void RestoreBuiltInBitmaps() {
    Replacements().clear();
}

const std::vector<std::uint8_t>* FindShownBitmap(int id) {
    const auto& replacements = Replacements();
    if (const auto it = replacements.find(id); it != replacements.end()) {
        return &it->second;
    }
    return FindBitmapResource(id);
}

} // namespace res
