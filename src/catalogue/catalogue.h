#pragma once
// The test pattern catalogue: the 43 patterns in id order, with the labels the selection
// dialog shows.

#include <string>

// The number of patterns; pattern ids are 0 .. kPatternCount - 1.
constexpr int kPatternCount = 43;

namespace catalogue {

// The label of a pattern id (0..42) in the program's language, UTF-8, from the string table;
// empty for any other id.
std::string Label(int id);

} // namespace catalogue
