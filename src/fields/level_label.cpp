#include "fields/level_label.h"

#include <cstdio>

namespace fields {

void DrawLevelLabel(CDC* dc, int steps, int x, int y) {
    char text[24];
    const int length = std::snprintf(text, sizeof text, "Level:%d", steps);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->TextOut(x, y, std::string_view(text, static_cast<std::size_t>(length)));
    dc->SetBkMode(oldMode);
}

} // namespace fields
