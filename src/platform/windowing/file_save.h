#pragma once
// Saving a small file so that readers, crashes and other copies of the program only ever see
// its old bytes or its new bytes, in whatever kind of folder it lives.
//
// Saving happens in two steps. Begin decides how the file can be saved, and whether it may be
// saved at all, before anything is written:
//   - a symbolic link is followed to the file it names, so the link stays a link;
//   - an existing file that cannot be opened for writing is left alone: nothing is saved;
//   - when its folder takes new files, a temporary file with a name no other process uses is
//     created beside it with the old file's permission bits, and Commit renames it over the
//     file;
//   - when the folder takes no new files but the file itself is writable, when the file has
//     other hard links, or when a replacement could not keep the file's owner, Commit rewrites
//     the file in place under an exclusive lock and cuts it to the new length.
// Commit then writes the bytes collected by Append. Every failure leaves the old file whole and
// removes the temporary file.
//
// On Windows a file marked read-only, or one this user may not write, counts as read-only; the
// replacement is moved over the old file with MoveFileExW once its bytes are flushed.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace windowing {

class FileSave {
  public:
    enum class Method { ReplaceByRename, RewriteInPlace };
#ifdef _WIN32
    using Handle = void*; // a HANDLE
    static constexpr Handle kNoFile = nullptr;
#else
    using Handle = int; // a file descriptor
    static constexpr Handle kNoFile = -1;
#endif

    // How path can be saved, with the temporary file already made; null when it may not be
    // saved (a file that cannot be opened for writing, a folder that takes no new file, not a
    // regular file, a loop of links).
    static std::unique_ptr<FileSave> Begin(const std::string& path);

    FileSave(const FileSave&) = delete;
    FileSave& operator=(const FileSave&) = delete;
    // Without a successful Commit, the old file stays as it was and the temporary file goes.
    ~FileSave();

    Method method() const {
        return method_;
    }
    // The file that receives the bytes: the path given, or the file its links lead to.
    const std::string& target() const {
        return target_;
    }

    void Append(const void* data, std::size_t size);
    // Puts the collected bytes in place and makes them durable. False when that failed; the old
    // file is then unchanged (or, after the rename itself, already replaced but its folder not
    // yet synced).
    bool Commit();

  private:
    FileSave(Method method, std::string target, std::string temp, Handle file);
    bool CommitByRename();
    bool CommitInPlace();
    void Discard();

    Method method_;
    std::string target_;
    std::string temp_; // the temporary file while it exists
    Handle file_;      // the temporary file, or the target itself when rewriting in place
    std::vector<std::uint8_t> bytes_;
};

} // namespace windowing
