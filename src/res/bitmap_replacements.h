#pragma once
// Bitmap resources replaced for this run by pictures the operator supplies (the AAPM's own TG18
// images in place of the built-in ones). The program looks its bitmaps up through
// FindShownBitmap, so a replaced resource is drawn exactly as the built-in one would be.

#include <cstdint>
#include <vector>

namespace res {

// From now on bitmap resource id is dib (a packed DIB in the stored form of bitmaps.h). Meant
// for start-up, before any window exists: it is not synchronised with drawing.
void ReplaceBitmapResource(int id, std::vector<std::uint8_t> dib);

// Every replaced resource is the built-in one again.
void RestoreBuiltInBitmaps();

// The replacement of bitmap resource id when it has one, else the built-in bitmap, else null.
const std::vector<std::uint8_t>* FindShownBitmap(int id);

} // namespace res
