// Where the program keeps config.set: beside a portable executable, or per user for a copy
// whose folder takes no files and for the installed copy. Each case runs the whole program
// twice, unprivileged, so that folder permissions count: the second run must resume where the
// first one saved.

#include "catalogue/settings_location.h"
#include "support/session.h"
#include "support/unprivileged.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using testing_support::Listing;
using testing_support::ReadBytes;
using testing_support::RunUnprivileged;
using testing_support::Session;
using testing_support::SettingsBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

const std::string kAll(43, '1');

std::string Settings(std::uint8_t position) {
    const std::vector<std::uint8_t> bytes = SettingsBytes(position, kAll);
    return {bytes.begin(), bytes.end()};
}

// One run of the program whose executable is at `executable`: Left (the next pattern) `steps`
// times, then the end. Returns the position it started at.
int RunProgram(const fs::path& executable, int steps) {
    headless::Backend backend(SIZE{320, 240}, executable.string());
    theApp.SetBackend(&backend);
    int loaded = -1;
    backend.Run([&] { loaded = Session::Main().Position(); });
    for (int i = 0; i < steps; ++i) {
        backend.KeyDown(VK_LEFT);
    }
    theApp.InitInstance();
    theApp.SetBackend(nullptr);
    return loaded;
}

mode_t Mode(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

ino_t Inode(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_ino;
}

// A folder for the executable and an empty home; XDG_CONFIG_HOME points at a folder not made
// yet.
struct Machine {
    TempFolder root;
    fs::path app = root / "app";
    fs::path executable = app / "lumivex";
    fs::path home = root / "home";
    fs::path xdg = root / "xdg";

    Machine() {
        fs::create_directories(app);
        fs::create_directories(home);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    }
    void LockApp() { EXPECT_EQ(chmod(app.c_str(), 0555), 0); }
};

TEST(SettingsLocation, APortableCopyKeepsItsSettingsBesideTheExecutable) {
    RunUnprivileged([] {
        Machine m;
        fs::create_directories(m.xdg / "lumivex");
        WriteBytes(m.xdg / "lumivex" / "config.set", Settings(9)); // not this copy's
        EXPECT_EQ(RunProgram(m.executable, 3), 0);
        EXPECT_EQ(ReadBytes(m.app / "config.set"), Settings(3));
        EXPECT_EQ(RunProgram(m.executable, 1), 3);
        EXPECT_EQ(ReadBytes(m.app / "config.set"), Settings(4));
        EXPECT_EQ(ReadBytes(m.xdg / "lumivex" / "config.set"), Settings(9));
    });
}

TEST(SettingsLocation, AFolderThatTakesNoFilesSendsTheSettingsToTheUsersConfigFolder) {
    RunUnprivileged([] {
        Machine m;
        m.LockApp();
        EXPECT_EQ(RunProgram(m.executable, 2), 0);
        const fs::path file = m.xdg / "lumivex" / "config.set";
        EXPECT_EQ(ReadBytes(file), Settings(2));
        EXPECT_EQ(Mode(m.xdg), 0700u);
        EXPECT_EQ(Mode(m.xdg / "lumivex"), 0700u);
        EXPECT_EQ(RunProgram(m.executable, 1), 2) << "reading looks where saving wrote";
        EXPECT_EQ(ReadBytes(file), Settings(3));
        EXPECT_EQ(Listing(m.app), "");
        EXPECT_EQ(Listing(m.home), "");
    });
}

TEST(SettingsLocation, WithoutAnAbsoluteXdgConfigHomeTheSettingsGoToDotConfig) {
    RunUnprivileged([] {
        int steps = 1;
        const char* const settings[] = {"", "relative/config", nullptr};
        for (const char* xdg : settings) {
            Machine m;
            if (xdg) {
                setenv("XDG_CONFIG_HOME", xdg, 1);
            } else {
                unsetenv("XDG_CONFIG_HOME");
            }
            m.LockApp();
            const std::string label = xdg ? "'" + std::string(xdg) + "'" : "unset";
            EXPECT_EQ(RunProgram(m.executable, steps), 0) << label;
            EXPECT_EQ(ReadBytes(m.home / ".config" / "lumivex" / "config.set"),
                      Settings(static_cast<std::uint8_t>(steps)))
                << label;
            EXPECT_EQ(RunProgram(m.executable, 0), steps) << label;
            EXPECT_FALSE(fs::exists(m.xdg)) << label;
            ++steps;
        }
    });
}

TEST(SettingsLocation, AFolderThatTakesNoFilesButHoldsConfigSetKeepsUsingIt) {
    RunUnprivileged([] {
        Machine m;
        const fs::path file = m.app / "config.set";
        WriteBytes(file, Settings(4));
        const ino_t inode = Inode(file);
        m.LockApp();
        EXPECT_EQ(RunProgram(m.executable, 1), 4);
        EXPECT_EQ(ReadBytes(file), Settings(5)) << "rewritten in place";
        EXPECT_EQ(Inode(file), inode);
        EXPECT_EQ(Listing(m.app), "config.set");
        EXPECT_FALSE(fs::exists(m.xdg));
    });
}

TEST(SettingsLocation, AReadOnlyConfigSetIsReadAndNeverChanged) {
    RunUnprivileged([] {
        for (bool lockApp : {false, true}) {
            Machine m;
            const fs::path file = m.app / "config.set";
            WriteBytes(file, Settings(4));
            ASSERT_EQ(chmod(file.c_str(), 0444), 0);
            if (lockApp) {
                m.LockApp();
            }
            EXPECT_EQ(RunProgram(m.executable, 2), 4) << lockApp;
            EXPECT_EQ(RunProgram(m.executable, 2), 4) << lockApp;
            EXPECT_EQ(ReadBytes(file), Settings(4)) << lockApp;
            EXPECT_EQ(Mode(file), 0444u);
            EXPECT_EQ(Listing(m.app), "config.set") << lockApp;
            EXPECT_FALSE(fs::exists(m.xdg)) << lockApp;
        }
    });
}

TEST(SettingsLocation, TheInstalledCopyKeepsItsSettingsPerUserEvenWhereItCouldWrite) {
    RunUnprivileged([] {
        Machine m;
        const std::string perUser = (m.xdg / "lumivex" / "config.set").string();
        fs::create_directory_symlink(m.app, m.root / "bin-link");

        const SettingsLocation installed = LocateSettings(m.executable, m.app);
        EXPECT_EQ(installed.file, perUser);
        EXPECT_TRUE(installed.folderMadeOnSave);
        // The same folder under another name, and a config.set already there, change nothing.
        WriteBytes(m.app / "config.set", Settings(7));
        EXPECT_EQ(LocateSettings(m.executable, m.root / "bin-link").file, perUser);

        const SettingsLocation portable = LocateSettings(m.executable, "/usr/bin");
        EXPECT_EQ(portable.file, (m.app / "config.set").string());
        EXPECT_FALSE(portable.folderMadeOnSave);
        EXPECT_EQ(LocateSettings(m.executable, "").file, (m.app / "config.set").string());

        // An executable whose path is unknown keeps its settings per user.
        EXPECT_EQ(LocateSettings("", "").file, perUser);
    });
}

} // namespace
