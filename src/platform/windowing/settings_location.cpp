#include "platform/windowing/settings_location.h"

#include "platform/windowing/file_system.h"

#include <filesystem>
#include <system_error>

namespace windowing {

namespace {

std::filesystem::path FromUtf8(const std::string& s) {
    return std::filesystem::path(std::u8string(s.begin(), s.end()));
}

std::string ToUtf8(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

// The folder of the executable; empty when the path names no folder.
std::filesystem::path ModuleDirectory(const std::string& modulePath) {
    if (modulePath.empty()) {
        return {};
    }
    const std::filesystem::path module = FromUtf8(modulePath);
    return module.has_parent_path() && module.has_filename() ? module.parent_path()
                                                             : std::filesystem::path();
}

// Whether the file belongs in the user's folder: the executable's folder exists but takes no
// new files. A folder that does not exist at all is no reason to write elsewhere.
bool UseUserFolder(const std::filesystem::path& beside) {
    std::error_code ec;
    return std::filesystem::is_directory(beside, ec) && !files::DirectoryWritable(ToUtf8(beside));
}

} // namespace

std::string SettingsFileToWrite(const std::string& modulePath, const std::string& name) {
    const std::filesystem::path beside = ModuleDirectory(modulePath);
    if (beside.empty()) {
        return {};
    }
    if (!UseUserFolder(beside)) {
        return ToUtf8(beside / FromUtf8(name));
    }
    const std::string user = files::UserSettingsDirectory();
    if (user.empty()) {
        return ToUtf8(beside / FromUtf8(name)); // the save fails there, as it would have
    }
    std::error_code ec;
    std::filesystem::create_directories(FromUtf8(user), ec);
    return ToUtf8(FromUtf8(user) / FromUtf8(name));
}

std::string SettingsFileToRead(const std::string& modulePath, const std::string& name) {
    const std::filesystem::path beside = ModuleDirectory(modulePath);
    if (beside.empty()) {
        return {};
    }
    if (UseUserFolder(beside)) {
        const std::string user = files::UserSettingsDirectory();
        std::error_code ec;
        if (!user.empty() && std::filesystem::exists(FromUtf8(user) / FromUtf8(name), ec)) {
            return ToUtf8(FromUtf8(user) / FromUtf8(name));
        }
    }
    return ToUtf8(beside / FromUtf8(name));
}

} // namespace windowing
