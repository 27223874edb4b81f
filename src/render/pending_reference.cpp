// Reference images whose drawing is still being built draw nothing.

#include "render/patterns.h"

namespace render {

void DrawReferenceImage(const Frame&, int) {}

} // namespace render
