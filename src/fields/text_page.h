#pragma once

#include <string_view>

namespace fields {

// The text of the text page: twelve segments joined by two tabs each, 796 characters.
std::string_view TextPageText();

} // namespace fields
