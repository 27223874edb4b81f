#pragma once
// The test pattern catalogue: the 43 patterns in id order, with the labels the selection
// dialog shows.

#include <string>

namespace catalogue {

constexpr int kCount = 43;

// The label of a pattern id (0..42) in the program's language, UTF-8, from the string table;
// empty for any other id.
std::string Label(int id);

} // namespace catalogue
