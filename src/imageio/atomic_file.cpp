#include "atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace imageio {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

std::string RandomSuffix() {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device random;
    std::string s;
    for (int i = 0; i < 4; ++i) {
        const unsigned v = random();
        for (int k = 0; k < 4; ++k) {
            s += kDigits[(v >> (4 * k)) & 15];
        }
    }
    return s;
}

// The system's file calls. ReplaceFile replaces the target in one step; SyncFolder makes a
// rename itself durable (failing there loses nothing that was not already written).
#ifdef _WIN32

int OpenExclusive(const std::filesystem::path& path) {
    return _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}

long WriteSome(int fd, const std::uint8_t* data, std::size_t size) {
    const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
    return _write(fd, data, chunk);
}

int SyncFile(int fd) {
    return _commit(fd);
}
int CloseFile(int fd) {
    return _close(fd);
}

bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to, int& error) {
    // A plain rename refuses an existing target here.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    error = EACCES;
    return false;
}

void SyncFolder(const std::filesystem::path&) {}

#else

int OpenExclusive(const std::filesystem::path& path) {
    // 0666 so that the finished file gets the permissions the user's umask gives new files.
    return ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
}

long WriteSome(int fd, const std::uint8_t* data, std::size_t size) {
    return static_cast<long>(::write(fd, data, size));
}

int SyncFile(int fd) {
    return ::fsync(fd);
}
int CloseFile(int fd) {
    return ::close(fd);
}

bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to, int& error) {
    if (::rename(from.c_str(), to.c_str()) == 0) {
        return true;
    }
    error = errno;
    return false;
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

#endif

} // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
    if (target_.empty() || !target_.has_filename()) {
        error_ = "no file name given";
        return;
    }
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(target_, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        error_ = target_.string() + ": " +
                 (std::filesystem::is_directory(status) ? "is a folder" : "is not a regular file");
        return;
    }
    std::filesystem::path folder = target_.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    int lastError = 0;
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
        // A hidden name, so that nothing that lists the folder mistakes it for a finished file.
        temp_ = folder / ("." + target_.filename().string() + ".tmp-" + RandomSuffix());
        fd_ = OpenExclusive(temp_);
        lastError = errno;
        if (fd_ < 0 && lastError != EEXIST) {
            break;
        }
    }
    if (fd_ < 0) {
        temp_.clear();
        SetSystemError("cannot create a file in " + folder.string(), lastError);
        return;
    }
    buffer_.reserve(kBufferSize);
}

AtomicFile::~AtomicFile() {
    if (!committed_) {
        Discard();
    }
}

void AtomicFile::SetSystemError(const std::string& what, int error) {
    if (error_.empty()) {
        error_ = what + ": " + std::generic_category().message(error);
    }
}

void AtomicFile::Fail(const std::string& reason) {
    if (error_.empty()) {
        error_ = target_.string() + ": " + reason;
    }
}

bool AtomicFile::Write(const void* data, std::size_t size) {
    if (Failed()) {
        return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const std::size_t n = std::min(size, kBufferSize - buffer_.size());
        buffer_.insert(buffer_.end(), bytes, bytes + n);
        bytes += n;
        size -= n;
        if (buffer_.size() == kBufferSize && !Flush()) {
            return false;
        }
    }
    return true;
}

bool AtomicFile::Flush() {
    const std::uint8_t* p = buffer_.data();
    std::size_t left = buffer_.size();
    while (left > 0) {
        const long n = WriteSome(fd_, p, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            SetSystemError("cannot write " + target_.string(), n < 0 ? errno : ENOSPC);
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
        written_ += static_cast<std::uint64_t>(n);
    }
    buffer_.clear();
    return true;
}

bool AtomicFile::Commit() {
    if (committed_) {
        return true;
    }
    if (Failed() || !Flush()) {
        Discard();
        return false;
    }
    if (SyncFile(fd_) != 0) {
        SetSystemError("cannot write " + target_.string(), errno);
        Discard();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (CloseFile(fd) != 0) {
        SetSystemError("cannot write " + target_.string(), errno);
        Discard();
        return false;
    }
    int renameError = 0;
    if (!ReplaceFile(temp_, target_, renameError)) {
        SetSystemError("cannot replace " + target_.string(), renameError);
        Discard();
        return false;
    }
    committed_ = true;
    SyncFolder(temp_.parent_path());
    temp_.clear();
    return true;
}

void AtomicFile::Discard() {
    if (fd_ >= 0) {
        CloseFile(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
        temp_.clear();
    }
}

} // namespace imageio
