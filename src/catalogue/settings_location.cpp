#include "catalogue/settings_location.h"

#include "platform/windowing/user_folders.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kFileName = "config.set";

// Paths are UTF-8; a std::string path would be read in the ANSI code page on Windows.
std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool IsInstalledFolder(const std::string& folder, const std::string& installedBinFolder) {
    std::error_code ec;
    return !installedBinFolder.empty() &&
           std::filesystem::equivalent(PathOf(folder), PathOf(installedBinFolder), ec) && !ec;
}

bool Holds(const std::string& folder, const char* name) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(
        PathOf(folder + "/" + name), ec)); // a link counts, even dangling
}

} // namespace

SettingsLocation LocateSettings(const std::string& executable,
                                const std::string& installedBinFolder) {
    const std::size_t cut = executable.find_last_of("/\\");
    if (cut != std::string::npos) {
        const std::string folder = cut == 0 ? "/" : executable.substr(0, cut);
        if (!IsInstalledFolder(folder, installedBinFolder) &&
            (Holds(folder, kFileName) || windowing::FolderTakesNewFiles(folder))) {
            return {(folder == "/" ? "" : folder) + "/" + kFileName, false};
        }
    }
    const std::string config = windowing::UserConfigHome();
    if (config.empty()) {
        return {};
    }
    return {config + "/" + windowing::kProgramFolderName + "/" + kFileName, true};
}

std::string SettingsFolder(const std::string& file) {
    const std::size_t cut = file.find_last_of('/');
    return cut == std::string::npos ? "." : file.substr(0, cut);
}
