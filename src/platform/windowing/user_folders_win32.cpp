// The user's folders on Windows: the roaming application-data folder, and what this process may
// do in a folder, asked by trying, since access control lists, read-only media and
// virtualisation all answer differently to a look at the attributes.

#include "platform/base/wide_string.h"
#include "platform/windowing/user_folders.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <filesystem>
#include <system_error>

namespace windowing {

const char* const kProgramFolderName = "Lumivex";

std::string UserConfigHome() {
    PWSTR folder = nullptr;
    std::string out;
    if (SUCCEEDED(
            SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder))) {
        out = base::Utf8FromWide(folder);
    }
    CoTaskMemFree(folder);
    return out;
}

namespace {

// The folder's name in the system's form; none for a name that is empty or not UTF-8.
std::optional<std::wstring> WideFolder(const std::string& folder) {
    std::optional<std::wstring> wide = base::WideFromUtf8(folder);
    if (!wide || wide->empty()) {
        return std::nullopt;
    }
    return wide;
}

} // namespace

bool FolderTakesNewFiles(const std::string& folder) {
    const std::optional<std::wstring> wide = WideFolder(folder);
    if (!wide) {
        return false;
    }
    std::wstring probe = *wide;
    if (probe.back() != L'\\' && probe.back() != L'/') {
        probe += L'\\';
    }
    // A name of this process and moment, so that two copies starting together do not answer
    // each other's question.
    probe += L".lumivex-probe-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(GetTickCount64()) + L".tmp";
    // The file goes when its handle closes, whatever happens to the process.
    const HANDLE probeFile = CreateFileW(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probeFile == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(probeFile);
    return true;
}

bool MakeUserFolders(const std::string& folder) {
    const std::optional<std::wstring> wide = WideFolder(folder);
    if (!wide) {
        return false;
    }
    // The folder inherits the access of %APPDATA%, which is the user's own already.
    const std::filesystem::path path(*wide);
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

} // namespace windowing
