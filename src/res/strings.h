#pragma once

#include <string>

namespace res {

// The string table; empty for an unknown id.
std::string LoadString(int id);

} // namespace res
