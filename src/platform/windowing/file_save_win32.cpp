// Saving a file on Windows: the same decisions as on POSIX systems, with the Windows notion of a
// read-only file (the attribute, or no write access for this user), a temporary file flushed
// with FlushFileBuffers and moved over the old one with MoveFileExW.

#include "platform/base/wide_string.h"
#include "platform/windowing/file_save.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <random>
#include <system_error>

namespace windowing {

namespace {

namespace fs = std::filesystem;

// As many links as the POSIX side follows.
constexpr int kMaxLinks = 40;

// Attributes of the old file that its replacement keeps; read-only never gets this far.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::optional<std::wstring> Wide(const std::string& path) {
    std::optional<std::wstring> wide = base::WideFromUtf8(path);
    if (wide && wide->empty()) {
        return std::nullopt;
    }
    return wide;
}

// The file path names once its symbolic links are followed; empty for a loop of links or a path
// that is not UTF-8. A link whose file does not exist yet leads to that file.
std::string FollowLinks(const std::string& path) {
    const std::optional<std::wstring> wide = Wide(path);
    if (!wide) {
        return {};
    }
    fs::path current(*wide);
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec))) {
            return base::Utf8FromWide(current.wstring());
        }
        const fs::path link = fs::read_symlink(current, ec);
        if (ec) {
            return {};
        }
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    return {};
}

HANDLE NoFile(HANDLE h) {
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

bool WriteAll(HANDLE file, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool FlushAndClose(HANDLE file) {
    const bool flushed = FlushFileBuffers(file) != 0;
    const bool closed = CloseHandle(file) != 0;
    return flushed && closed;
}

// A name beside target that no other process picks: the process id, a counter and a random
// part, with CREATE_NEW as the final word. Null, with the last error set, when none could be
// made.
HANDLE CreateTemporary(const std::wstring& target, DWORD attributes, std::wstring* name) {
    static std::atomic<unsigned> counter{0};
    static thread_local std::mt19937_64 random{std::random_device{}()};
    const std::size_t cut = target.find_last_of(L"/\\:");
    const std::wstring folder =
        cut == std::wstring::npos ? std::wstring() : target.substr(0, cut + 1);
    const std::wstring base = cut == std::wstring::npos ? target : target.substr(cut + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = folder + L"." + base + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(counter++) + L"-" + std::to_wstring(random() % 1000000000) +
                L".tmp";
        const HANDLE file = CreateFileW(name->c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_NEW, attributes, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return NoFile(file);
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return nullptr;
}

bool FolderRefusesNewFiles(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ||
           error == ERROR_NOT_SUPPORTED;
}

} // namespace

std::unique_ptr<FileSave> FileSave::Begin(const std::string& path) {
    const std::string target = FollowLinks(path);
    const std::optional<std::wstring> wideTarget = Wide(target);
    if (!wideTarget) {
        return nullptr;
    }
    const DWORD attributes = GetFileAttributesW(wideTarget->c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    HANDLE targetFile = nullptr;
    if (exists) {
        // A read-only file is the user's way of keeping it as it is; so is a file this user
        // may not write.
        if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
            return nullptr;
        }
        targetFile = NoFile(CreateFileW(wideTarget->c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!targetFile) {
            return nullptr;
        }
        // Every name of a file with other hard links sees the new bytes only when it is
        // rewritten in place.
        BY_HANDLE_FILE_INFORMATION info{};
        if (GetFileInformationByHandle(targetFile, &info) && info.nNumberOfLinks > 1) {
            return std::unique_ptr<FileSave>(
                new FileSave(Method::RewriteInPlace, target, {}, targetFile));
        }
    }

    const DWORD kept = exists ? (attributes & kKeptAttributes) : 0;
    std::wstring temp;
    const HANDLE tempFile =
        CreateTemporary(*wideTarget, kept ? kept : FILE_ATTRIBUTE_NORMAL, &temp);
    if (!tempFile) {
        if (targetFile && FolderRefusesNewFiles(GetLastError())) {
            return std::unique_ptr<FileSave>(
                new FileSave(Method::RewriteInPlace, target, {}, targetFile));
        }
        if (targetFile) {
            CloseHandle(targetFile);
        }
        return nullptr;
    }
    if (targetFile) {
        CloseHandle(targetFile);
    }
    return std::unique_ptr<FileSave>(
        new FileSave(Method::ReplaceByRename, target, base::Utf8FromWide(temp), tempFile));
}

bool FileSave::CommitByRename() {
    const bool written = WriteAll(file_, bytes_.data(), bytes_.size());
    const bool closed = FlushAndClose(file_);
    file_ = kNoFile;
    const std::optional<std::wstring> from = Wide(temp_), to = Wide(target_);
    // MOVEFILE_WRITE_THROUGH returns only once the move itself is on the disk, the folder sync
    // of the POSIX side.
    if (!written || !closed || !from || !to ||
        !MoveFileExW(from->c_str(), to->c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Discard();
        return false;
    }
    temp_.clear();
    return true;
}

bool FileSave::CommitInPlace() {
    // Another copy rewriting the same file waits, so that the two never interleave. A file
    // system without locks still gets the bytes, as a single write.
    OVERLAPPED whole{};
    const bool locked =
        LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole) != 0;
    LARGE_INTEGER start{};
    const bool written = SetFilePointerEx(file_, start, nullptr, FILE_BEGIN) &&
                         WriteAll(file_, bytes_.data(), bytes_.size()) && SetEndOfFile(file_);
    const bool flushed = FlushFileBuffers(file_) != 0;
    if (locked) {
        OVERLAPPED again{};
        UnlockFileEx(file_, 0, MAXDWORD, MAXDWORD, &again);
    }
    const bool closed = CloseHandle(file_) != 0;
    file_ = kNoFile;
    return written && flushed && closed;
}

void FileSave::Discard() {
    if (file_) {
        CloseHandle(file_);
        file_ = kNoFile;
    }
    if (!temp_.empty()) {
        if (const std::optional<std::wstring> wide = Wide(temp_)) {
            DeleteFileW(wide->c_str());
        }
        temp_.clear();
    }
}

} // namespace windowing
