#pragma once
// The test pattern catalogue: the 43 patterns in id order, with the labels the selection
// dialog shows.

#include <string_view>

// The number of patterns; pattern ids are 0 .. kPatternCount - 1.
constexpr int kPatternCount = 43;

namespace catalogue {

// The label of a pattern id (0..42), UTF-8; empty for any other id.
std::string_view Label(int id);

} // namespace catalogue
