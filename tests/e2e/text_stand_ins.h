#pragma once
// Text drawn as something else, to find where a frame has text: each character as a solid box
// over its cell and its ink, or as nothing at all, with the platform font's metrics either way
// so that the layout does not move. Where the two differ, a frame shows text.

#include <string_view>

namespace frames {

enum class TextStandIn { None, Boxes, Blank };

// Parses "boxes" or "none" (blank text); nothing for other names.
bool ParseTextStandIn(std::string_view name, TextStandIn& out);
// Installs the stand-in for all text drawn from now on.
void UseTextStandIn(TextStandIn standIn);

} // namespace frames
