#pragma once
// The file operations a safe save needs, each done with the platform's own calls: paths are
// UTF-8 here (UTF-16 at the Windows API), written data reaches the disk before the new file
// replaces the old one, and the replacement is one step. Only standard types, so that the
// Windows implementation can include the system's headers without meeting ours.

#include <cstdio>
#include <string>

namespace windowing::files {

// fopen with a UTF-8 path; null on failure.
std::FILE* Open(const std::string& path, const char* mode);
// Flushes the stream and the system's cache for the file to the disk, then closes the stream
// (also when flushing failed). False when anything failed.
bool CommitAndClose(std::FILE* file);
// Moves from over to in one step, replacing to; on failure nothing changes.
bool Replace(const std::string& from, const std::string& to);
bool Remove(const std::string& path);
// Whether a new file can be created in dir. The platform is asked by trying: permission bits,
// access control lists and read-only media all answer the same way.
bool DirectoryWritable(const std::string& dir);
// The user's own folder for the program's settings (not created); empty when unknown.
std::string UserSettingsDirectory();

} // namespace windowing::files
