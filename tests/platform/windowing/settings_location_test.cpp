#include "platform/windowing/settings_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

class SettingsLocation : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("lumivex-location-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "app");
    }
    void TearDown() override {
#ifndef _WIN32
        chmod((dir_ / "app").c_str(), 0755);
#endif
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path dir_;
};

TEST_F(SettingsLocation, AWritableFolderKeepsTheFileBesideTheExecutable) {
    const std::string module = Utf8(dir_ / "app" / "lumivex");
    EXPECT_EQ(windowing::SettingsFileToWrite(module, "config.set"),
              Utf8(dir_ / "app" / "config.set"));
    EXPECT_EQ(windowing::SettingsFileToRead(module, "config.set"),
              Utf8(dir_ / "app" / "config.set"));
}

TEST_F(SettingsLocation, AFolderThatDoesNotExistIsNoReasonToWriteElsewhere) {
    const std::string module = Utf8(dir_ / "gone" / "lumivex");
    EXPECT_EQ(windowing::SettingsFileToWrite(module, "config.set"),
              Utf8(dir_ / "gone" / "config.set"));
}

TEST_F(SettingsLocation, NoFolderInThePathMeansNoFile) {
    EXPECT_EQ(windowing::SettingsFileToWrite("lumivex", "config.set"), "");
    EXPECT_EQ(windowing::SettingsFileToRead("", "config.set"), "");
}

#ifndef _WIN32
// A copy installed where the user may not write (run as an unprivileged user, since root writes
// everywhere): the file goes to the user's settings folder, which is created; reading prefers
// it once it exists, and until then reads the file installed beside the executable.
TEST_F(SettingsLocation, AnUnwritableFolderSendsTheFileToTheUsersFolder) {
    constexpr uid_t kNobody = 65534;
    const fs::path config = dir_ / "config";
    fs::create_directories(config);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(config.c_str(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(chmod((dir_ / "app").c_str(), 0555), 0);
    std::ofstream(dir_ / "app" / "config.set") << "installed";
    ASSERT_EQ(chmod(dir_.c_str(), 0755), 0);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Exit codes tell the parent what went wrong; gtest's macros do not work here.
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            _exit(10);
        }
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        const std::string module = (dir_ / "app" / "lumivex").string();
        if (windowing::SettingsFileToRead(module, "config.set") !=
            (dir_ / "app" / "config.set").string()) {
            _exit(11);
        }
        const std::string user = (config / "lumivex" / "config.set").string();
        if (windowing::SettingsFileToWrite(module, "config.set") != user) {
            _exit(12);
        }
        if (!fs::is_directory(config / "lumivex")) {
            _exit(13);
        }
        std::ofstream(user) << "saved";
        if (windowing::SettingsFileToRead(module, "config.set") != user) {
            _exit(14);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 10) << "could not drop to an unprivileged user";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "step " << WEXITSTATUS(status) << " failed";
}
#endif

} // namespace
