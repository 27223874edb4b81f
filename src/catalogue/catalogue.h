#pragma once
// The test pattern catalogue: the 43 patterns in id order, with the labels the selection
// dialog shows.

#include <string_view>

namespace catalogue {

constexpr int kCount = 43;

// The label of a pattern id (0..42), UTF-8; empty for any other id.
std::string_view Label(int id);

} // namespace catalogue
