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

// Copies of the program, each saving in a folder of its own, are killed at random moments, a
// batch at a time so that their waits overlap. After each kill the file must be whole. Returns
// how many kills left a temporary file behind, i.e. struck in the middle of a save.
int KillWhileSaving(const fs::path& root, bool lockFolders) {
    constexpr int kBatch = 10;
    std::vector<fs::path> folders;
    for (int i = 0; i < kBatch; ++i) {
        folders.push_back(root / std::to_string(i));
        fs::create_directory(folders.back());
        WriteBytes(folders.back() / "config.set", kFirst);
        if (lockFolders) {
            EXPECT_EQ(chmod(folders.back().c_str(), 0555), 0);
        }
    }
    CLumivexDlg dlg;

    // Kill within the first few saves: measure how long one takes here.
    const auto begin = std::chrono::steady_clock::now();
    SaveAlternately(dlg, folders[0] / "lumivex", 21);
    const auto perSave = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now() - begin) /
                         21;
    EXPECT_EQ(ReadBytes(folders[0] / "config.set"), kSecond) << "the saves did not reach the file";
    const long window = std::max<long>(20, 3 * perSave.count());

    std::mt19937 random(20240613);
    int struckMidSave = 0;
    for (int batch = 0; batch < kKills / kBatch && !::testing::Test::HasFailure(); ++batch) {
        // The copies start together once all are forked, so that none runs while the others
        // are still being made.
        int ready[2], go[2];
        if (pipe(ready) != 0 || pipe(go) != 0) {
            ADD_FAILURE() << "pipe failed";
            break;
        }
        std::vector<std::pair<long, pid_t>> kills; // when, whom
        for (const fs::path& folder : folders) {
            const pid_t saver = fork();
            if (saver == 0) {
                close(ready[0]);
                close(go[1]);
                const char started = 1;
                char unused;
                (void)!write(ready[1], &started, 1);
                (void)!read(go[0], &unused, 1); // until the pipe closes
                SaveAlternately(dlg, folder / "lumivex", -1);
                std::_Exit(0);
            }
            kills.emplace_back(static_cast<long>(random() % window), saver);
        }
        close(ready[1]);
        close(go[0]);
        char started[kBatch];
        for (int got = 0; got < kBatch;) {
            const ssize_t n = read(ready[0], started, sizeof started);
            if (n <= 0) {
                break;
            }
            got += static_cast<int>(n);
        }
        close(ready[0]);
        std::sort(kills.begin(), kills.end());
        close(go[1]);
        const auto begun = std::chrono::steady_clock::now();
        for (const auto& [when, whom] : kills) {
            std::this_thread::sleep_until(begun + std::chrono::microseconds(when));
            ::kill(whom, SIGKILL);
        }
        for (const auto& kill : kills) {
            int status = 0;
            EXPECT_EQ(waitpid(kill.second, &status, 0), kill.second);
        }

        for (const fs::path& folder : folders) {
            const std::string seen = ReadBytes(folder / "config.set");
            EXPECT_TRUE(seen == kFirst || seen == kSecond)
                << "after a kill in batch " << batch << " the file holds " << seen.size()
                << " bytes";
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
    }
    return struckMidSave;
}

TEST(SettingsCrash, AKillDuringTheReplacementLeavesTheOldOrTheNewFile) {
    RunUnprivileged([] {
        TempFolder dir(testing_support::MemoryFolder());
        const int struck = KillWhileSaving(dir.path(), false);
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
        EXPECT_EQ(KillWhileSaving(dir.path(), true), 0) << "no temporary file in place";
    });
}

} // namespace
