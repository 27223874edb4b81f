#include "platform/windowing/file_system.h"

#include <cstdlib>
#include <unistd.h>

namespace windowing::files {

std::FILE* Open(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool CommitAndClose(std::FILE* file) {
    const bool written = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

bool Replace(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool Remove(const std::string& path) {
    return std::remove(path.c_str()) == 0;
}

bool DirectoryWritable(const std::string& dir) {
    return !dir.empty() && access(dir.c_str(), W_OK | X_OK) == 0;
}

std::string UserSettingsDirectory() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/') {
        return std::string(config) + "/lumivex";
    }
    if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
        return std::string(home) + "/.config/lumivex";
    }
    return {};
}

} // namespace windowing::files
