#pragma once

namespace render {

// The bitmap resource that pattern id (14-16) shows on a W x H client area; 0 for other ids.
int ReferenceImageId(int id, int W, int H);

} // namespace render
