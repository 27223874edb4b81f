#pragma once
// Where the program keeps its settings file.

#include <string>

namespace windowing {

// The file name beside the executable at modulePath (UTF-8), where the program has always kept
// it, as long as that folder takes new files. A copy installed where only administrators write
// (Program Files, /usr/bin) keeps it in the user's settings folder instead, which is created
// for the purpose. Empty when neither place is known.
std::string SettingsFileToWrite(const std::string& modulePath, const std::string& name);
// The file a start reads: the one saving writes to when it exists, else the one beside the
// executable (settings installed with the program count until the user has saved their own).
std::string SettingsFileToRead(const std::string& modulePath, const std::string& name);

} // namespace windowing
