#pragma once
// The folders a program finds for its user, and what it may do in them.

#include <string>

namespace windowing {

// The folder for the user's configuration files: $XDG_CONFIG_HOME when it is an absolute path,
// otherwise .config in the home folder ($HOME, or the account's home when HOME is unset or
// empty); on Windows the roaming application-data folder (%APPDATA%). Empty when there is no
// such folder at all.
std::string UserConfigHome();

// The name of the program's own folder inside UserConfigHome(): lower case as is usual on
// Linux, capitalised as Windows users see their application folders.
extern const char* const kProgramFolderName;

// Whether this process may create files in folder.
bool FolderTakesNewFiles(const std::string& folder);

// Creates folder and any missing parents, readable by the user alone as configuration folders
// should be. True when the folder exists afterwards.
bool MakeUserFolders(const std::string& folder);

} // namespace windowing
