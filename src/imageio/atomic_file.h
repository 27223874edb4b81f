#pragma once
// A file written under a temporary name beside its target and renamed over the target only
// when it is complete, so that the target holds either its old content or the whole new file,
// and a failed write leaves nothing behind.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace imageio {

class AtomicFile {
  public:
    // Creates the temporary file, exclusively, in the target's folder. Refuses a target that
    // exists and is not a regular file. On failure Failed() is true and Error() says why.
    explicit AtomicFile(std::filesystem::path target);
    // Removes the temporary file unless Commit() succeeded.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Appends bytes. After the first failure every call returns false and the first error is
    // kept.
    bool Write(const void* data, std::size_t size);

    // Records a failure of the caller's own (an encoder's error, say); Commit() then fails.
    void Fail(const std::string& reason);

    // Flushes, syncs and closes the file and renames it over the target. On failure the
    // temporary file is removed and Error() says why.
    bool Commit();

    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }
    std::uint64_t BytesWritten() const { return written_; }

  private:
    bool Flush();
    void Discard();
    void SetSystemError(const std::string& what, int error);

    std::filesystem::path target_;
    std::filesystem::path temp_;
    int fd_ = -1;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t written_ = 0;
    bool committed_ = false;
    std::string error_;
};

} // namespace imageio
