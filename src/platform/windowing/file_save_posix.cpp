#include "platform/windowing/file_save.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace windowing {

namespace {

// As many links as the kernel follows before it gives up with ELOOP.
constexpr int kMaxLinks = 40;

std::string FolderOf(const std::string& path) {
    const std::size_t cut = path.find_last_of('/');
    if (cut == std::string::npos) {
        return ".";
    }
    return cut == 0 ? "/" : path.substr(0, cut);
}

// The file path names once its symbolic links are followed; empty for a loop of links. A link
// whose file does not exist yet leads to that file, which the save then creates.
std::string FollowLinks(std::string path) {
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return path;
        }
        std::string link(static_cast<std::size_t>(st.st_size) + 256, '\0');
        const ssize_t n = readlink(path.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) {
            return {};
        }
        link.resize(static_cast<std::size_t>(n));
        path = link.front() == '/' ? link : FolderOf(path) + "/" + link;
    }
    return {};
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size, off_t offset, bool positioned) {
    while (size > 0) {
        const ssize_t n = positioned ? pwrite(fd, data, size, offset) : write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

int SyncAndClose(int fd) {
    int failed = fsync(fd);
    failed |= close(fd);
    return failed;
}

// A name beside target that no other process picks: the process id, a counter and a random
// part, with O_EXCL as the final word. Returns the open file or -1 with errno set.
int CreateTemporary(const std::string& target, mode_t mode, std::string* name) {
    static std::atomic<unsigned> counter{0};
    static thread_local std::mt19937_64 random{std::random_device{}()};
    const std::size_t cut = target.find_last_of('/');
    const std::string folder = cut == std::string::npos ? std::string() : target.substr(0, cut + 1);
    const std::string base = cut == std::string::npos ? target : target.substr(cut + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = folder + "." + base + "." + std::to_string(getpid()) + "-" +
                std::to_string(counter++) + "-" + std::to_string(random() % 1000000000) + ".tmp";
        const int fd =
            open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

bool FolderRefusesNewFiles(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

} // namespace

std::unique_ptr<FileSave> FileSave::Begin(const std::string& path) {
    const std::string target = FollowLinks(path);
    if (target.empty()) {
        return nullptr;
    }
    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;
    int targetFd = -1;
    if (exists) {
        if (!S_ISREG(old.st_mode)) {
            return nullptr;
        }
        // The file must take writing as it stands: a read-only file is the user's way of
        // keeping it as it is.
        targetFd = open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (targetFd < 0) {
            return nullptr;
        }
    }

    // A file with other hard links is rewritten in place too, so that every name of it sees the
    // new bytes.
    if (exists && old.st_nlink > 1) {
        return std::unique_ptr<FileSave>(
            new FileSave(Method::RewriteInPlace, target, {}, targetFd));
    }
    std::string temp;
    const int tempFd = CreateTemporary(target, exists ? (old.st_mode & 0777) : 0666, &temp);
    if (tempFd < 0) {
        const int error = errno;
        if (targetFd >= 0 && FolderRefusesNewFiles(error)) {
            return std::unique_ptr<FileSave>(
                new FileSave(Method::RewriteInPlace, target, {}, targetFd));
        }
        if (targetFd >= 0) {
            close(targetFd);
        }
        return nullptr;
    }
    std::unique_ptr<FileSave> save(new FileSave(Method::ReplaceByRename, target, temp, tempFd));
    if (!exists) {
        return save; // the umask shaped its mode, as for any new file
    }
    // The replacement takes over the old file's owner and permission bits. Where the owner
    // cannot be kept (a file shared by several users), the file is rewritten in place instead,
    // so that it stays theirs.
    struct stat made {};
    const bool ownerDiffers =
        fstat(tempFd, &made) != 0 || made.st_uid != old.st_uid || made.st_gid != old.st_gid;
    if (ownerDiffers && fchown(tempFd, old.st_uid, old.st_gid) != 0) {
        save->Discard();
        save->method_ = Method::RewriteInPlace;
        save->file_ = targetFd;
        return save;
    }
    close(targetFd);
    if (fchmod(tempFd, old.st_mode & 07777) != 0) {
        return nullptr; // the destructor removes the temporary file
    }
    return save;
}

bool FileSave::CommitByRename() {
    const bool written = WriteAll(file_, bytes_.data(), bytes_.size(), 0, false);
    const int closeFailed = SyncAndClose(file_);
    file_ = kNoFile;
    if (!written || closeFailed != 0 || rename(temp_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    temp_.clear();
    // The rename lives in the folder: until the folder is synced, a power cut may bring the
    // old file back, or none at all.
    const int folder = open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        return false;
    }
    return SyncAndClose(folder) == 0;
}

bool FileSave::CommitInPlace() {
    // Another copy rewriting the same file waits, so that the two never interleave.
    while (flock(file_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            break; // a file system without locks: still write, as a single write
        }
    }
    const bool written = WriteAll(file_, bytes_.data(), bytes_.size(), 0, true) &&
                         ftruncate(file_, static_cast<off_t>(bytes_.size())) == 0;
    const int closeFailed = SyncAndClose(file_); // also releases the lock
    file_ = kNoFile;
    return written && closeFailed == 0;
}

void FileSave::Discard() {
    if (file_ >= 0) {
        close(file_);
        file_ = kNoFile;
    }
    if (!temp_.empty()) {
        unlink(temp_.c_str());
        temp_.clear();
    }
}

} // namespace windowing
