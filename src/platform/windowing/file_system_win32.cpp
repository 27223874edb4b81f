// The file primitives on Windows: UTF-16 paths, FlushFileBuffers, MoveFileExW and the roaming
// application-data folder.

#include "platform/base/wide_string.h"
#include "platform/windowing/file_system.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <io.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace windowing::files {

std::FILE* Open(const std::string& path, const char* mode) {
    // A path that is not UTF-8 opens nothing, rather than a file of another name.
    const std::optional<std::wstring> wide = base::WideFromUtf8(path);
    const std::optional<std::wstring> wideMode = base::WideFromUtf8(mode ? mode : "");
    if (!wide || wide->empty() || !wideMode) {
        return nullptr;
    }
    return _wfopen(wide->c_str(), wideMode->c_str());
}

bool CommitAndClose(std::FILE* file) {
    bool written = std::fflush(file) == 0;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    written = written && handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

bool Replace(const std::string& from, const std::string& to) {
    const std::optional<std::wstring> a = base::WideFromUtf8(from), b = base::WideFromUtf8(to);
    return a && b && !a->empty() && !b->empty() &&
           MoveFileExW(a->c_str(), b->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool Remove(const std::string& path) {
    const std::optional<std::wstring> wide = base::WideFromUtf8(path);
    return wide && !wide->empty() && DeleteFileW(wide->c_str());
}

bool DirectoryWritable(const std::string& dir) {
    const std::optional<std::wstring> wide = base::WideFromUtf8(dir);
    if (!wide || wide->empty()) {
        return false;
    }
    std::wstring probe = *wide;
    if (probe.back() != L'\\' && probe.back() != L'/') {
        probe += L'\\';
    }
    probe += L".lumivex-write-test-" + std::to_wstring(GetCurrentProcessId());
    // The file goes when its handle closes, whatever happens to the process.
    const HANDLE h = CreateFileW(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(h);
    return true;
}

std::string UserSettingsDirectory() {
    PWSTR folder = nullptr;
    std::string out;
    if (SUCCEEDED(
            SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder))) {
        out = base::Utf8FromWide(folder);
    }
    CoTaskMemFree(folder);
    return out.empty() ? out : out + "\\Lumivex";
}

} // namespace windowing::files
