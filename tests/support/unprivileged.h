#pragma once
// File permissions mean nothing to root, and the tests run as root in CI. A test of permission
// behaviour therefore runs its body in a child process that, under root, drops to the account
// "nobody" first; when that cannot be done the test fails rather than passing without having
// tested anything. Run by an ordinary user, the child keeps that user.
//
// The body's gtest failures are printed by the child as they happen; the parent fails the test
// when the child had any, or died.

#include <filesystem>
#include <functional>
#include <string>
#include <sys/types.h>

namespace testing_support {

struct Account {
    uid_t uid;
    gid_t gid;
};

// The account the body runs as: nobody under root, else the current user.
Account UnprivilegedAccount();

void RunUnprivileged(const std::function<void()>& body);

// A fresh folder under the temporary folder (or under base), removed with everything in it
// (whatever its permissions) when the object goes.
class TempFolder {
  public:
    explicit TempFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path());
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// A folder in memory (/dev/shm) when there is one the user may write to, where syncing a file
// costs nothing; else the temporary folder. For tests that save thousands of times and are
// about processes, not about the disk.
std::filesystem::path MemoryFolder();

// Small file helpers for byte-exact checks.
std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
// The names in folder, sorted.
std::string Listing(const std::filesystem::path& folder);

} // namespace testing_support
