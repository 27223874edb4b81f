#include "support/unprivileged.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace testing_support {

namespace {

constexpr int kCannotDrop = 86;

// Gives the user back the right to change a folder tree, so it can be removed.
void MakeRemovable(const std::filesystem::path& root) {
    std::error_code ec;
    std::filesystem::permissions(root, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        }
    }
}

} // namespace

Account UnprivilegedAccount() {
    if (geteuid() != 0) {
        return {geteuid(), getegid()};
    }
    const passwd* nobody = getpwnam("nobody");
    return nobody ? Account{nobody->pw_uid, nobody->pw_gid} : Account{65534, 65534};
}

void RunUnprivileged(const std::function<void()>& body) {
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    ASSERT_GE(child, 0) << "fork failed";
    if (child == 0) {
        if (geteuid() == 0) {
            const Account nobody = UnprivilegedAccount();
            if (setgroups(0, nullptr) != 0 || setgid(nobody.gid) != 0 || setuid(nobody.uid) != 0 ||
                geteuid() == 0 || setuid(0) == 0) {
                std::perror("cannot drop to the account nobody");
                std::_Exit(kCannotDrop);
            }
        }
        umask(022);
        try {
            body();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "exception: " << e.what();
        } catch (...) {
            ADD_FAILURE() << "unknown exception";
        }
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status))
        << "the unprivileged child died by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    ASSERT_NE(WEXITSTATUS(status), kCannotDrop)
        << "the test runs as root and could not drop to an unprivileged user, so it cannot "
           "test file permissions";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the unprivileged part failed (see above)";
}

TempFolder::TempFolder(const std::filesystem::path& base) {
    std::string pattern = (base / "lumivex-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    MakeRemovable(path_);
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path MemoryFolder() {
    if (access("/dev/shm", W_OK | X_OK) == 0) {
        return "/dev/shm";
    }
    return std::filesystem::temp_directory_path();
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::string Listing(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string out;
    for (const std::string& n : names) {
        out += (out.empty() ? "" : " ") + n;
    }
    return out;
}

} // namespace testing_support
