#include "platform/windowing/user_folders.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace windowing {

namespace {

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home) {
        return home;
    }
    const passwd* account = getpwuid(getuid());
    return account && account->pw_dir && *account->pw_dir ? account->pw_dir : std::string();
}

} // namespace

const char* const kProgramFolderName = "lumivex";

std::string UserConfigHome() {
    // A relative XDG_CONFIG_HOME would move with the current folder; the base-directory rules
    // say to ignore it.
    const char* configured = std::getenv("XDG_CONFIG_HOME");
    if (configured && configured[0] == '/') {
        return configured;
    }
    const std::string home = HomeFolder();
    if (home.empty()) {
        return {};
    }
    return (home.back() == '/' ? home : home + "/") + ".config";
}

bool FolderTakesNewFiles(const std::string& folder) {
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

bool MakeUserFolders(const std::string& folder) {
    struct stat st {};
    if (stat(folder.c_str(), &st) == 0) {
        return S_ISDIR(st.st_mode);
    }
    const std::size_t cut = folder.find_last_of('/');
    if (cut != std::string::npos && cut > 0 && !MakeUserFolders(folder.substr(0, cut))) {
        return false;
    }
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

} // namespace windowing
