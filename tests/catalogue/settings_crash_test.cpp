// The program killed while it saves its settings, a thousand times at random moments: the file
// is always the old 45 bytes or the new 45 bytes, never torn, short or empty.

#include "app/lumivex_app.h"
#include "app/lumivex_dlg.h"
#include "platform/headless/headless_backend.h"
#include "support/session.h"
#include "support/unprivileged.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::RunUnprivileged;
using testing_support::SettingsBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

constexpr int kKills = 1000;

std::string AsString(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// The two states the saving process alternates between; a mix of them would show.
const std::string kFirst = AsString(SettingsBytes(1, std::string(43, '1')));
const std::string kSecond = AsString(SettingsBytes(2, std::string(43, '0')));

// Saves the settings of the program at executable `count` times (forever for -1), alternating
// between the two states, as the program does at shut-down.
void SaveAlternately(CLumivexDlg& dlg, const fs::path& executable, int count) {
    headless::Backend backend(SIZE{64, 64}, executable.string());
    theApp.SetBackend(&backend);
    for (int i = 0; count < 0 || i < count; ++i) {
        const bool second = i % 2 == 0;
        dlg.SetStateForTest(0, TRUE, second ? 2 : 1, 128);
        if (second) {
            dlg.EnabledSet().reset();
        } else {
            dlg.EnabledSet().set();
        }
        dlg.LoadSaveSettings(1);
    }
    theApp.SetBackend(nullptr);
}

// A copy of the program saving in a loop is killed at a random moment, a thousand times; after
// each kill the file must be whole. Returns how many kills left a temporary file behind, i.e.
// struck in the middle of a save.
int KillWhileSaving(const fs::path& folder) {
    const fs::path executable = folder / "lumivex";
    const fs::path file = folder / "config.set";
    CLumivexDlg dlg;

    // Kill within the next few saves: measure how long one takes here.
    const auto begin = std::chrono::steady_clock::now();
    SaveAlternately(dlg, executable, 21);
    const auto perSave = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now() - begin) /
                         21;
    EXPECT_EQ(ReadBytes(file), kSecond) << "the saves did not reach the file";
    const long window = std::max<long>(20, 3 * perSave.count());

    std::mt19937 random(20240613);
    int struckMidSave = 0;
    for (int kill = 0; kill < kKills && !::testing::Test::HasFailure(); ++kill) {
        int ready[2];
        if (pipe(ready) != 0) {
            ADD_FAILURE() << "pipe failed";
            break;
        }
        const pid_t saver = fork();
        if (saver == 0) {
            // One save before the signal, so that the kill strikes saves in full swing rather
            // than the new process's first steps.
            close(ready[0]);
            SaveAlternately(dlg, executable, 1);
            const char started = 1;
            (void)!write(ready[1], &started, 1);
            SaveAlternately(dlg, executable, -1);
            std::_Exit(0);
        }
        close(ready[1]);
        char started = 0;
        EXPECT_EQ(read(ready[0], &started, 1), 1);
        close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % window));
        ::kill(saver, SIGKILL);
        int status = 0;
        EXPECT_EQ(waitpid(saver, &status, 0), saver);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;

        const std::string seen = ReadBytes(file);
        EXPECT_TRUE(seen == kFirst || seen == kSecond)
            << "after kill " << kill << " the file holds " << seen.size() << " bytes";
        // A killed process cannot remove its temporary file; the next save does not need it.
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name != "config.set") {
                EXPECT_EQ(name.rfind(".config.set.", 0), 0u) << name;
                fs::remove(entry.path());
                ++struckMidSave;
            }
        }
    }
    return struckMidSave;
}

TEST(SettingsCrash, AKillDuringTheReplacementLeavesTheOldOrTheNewFile) {
    RunUnprivileged([] {
        TempFolder dir(testing_support::MemoryFolder());
        WriteBytes(dir / "config.set", kFirst);
        const int struck = KillWhileSaving(dir.path());
        // Some kills must have fallen between the temporary file and the rename, or the test
        // proved nothing.
        EXPECT_GT(struck, 0);
        std::printf("%d of %d kills struck between the temporary file and the rename\n", struck,
                    kKills);
    });
}

TEST(SettingsCrash, AKillDuringARewriteInPlaceLeavesTheOldOrTheNewFile) {
    RunUnprivileged([] {
        TempFolder dir(testing_support::MemoryFolder());
        WriteBytes(dir / "config.set", kFirst);
        ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
        EXPECT_EQ(KillWhileSaving(dir.path()), 0) << "no temporary file when rewriting in place";
    });
}

} // namespace
