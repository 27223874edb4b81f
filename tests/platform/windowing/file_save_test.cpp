// Saving a file in every kind of folder: what is written, what is left alone, and that nothing
// but the file remains. Permissions matter here, so every case runs unprivileged.

#include "platform/windowing/archive.h"
#include "platform/windowing/file_save.h"
#include "support/unprivileged.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testing_support::Listing;
using testing_support::ReadBytes;
using testing_support::RunUnprivileged;
using testing_support::TempFolder;
using testing_support::WriteBytes;
using windowing::FileSave;

const std::string kOld = "old settings, longer than the new ones: 0123456789";
const std::string kNew = "new settings";

// Saves bytes to path the way the program does; false when the save was refused or failed.
// Saves bytes to path; with a method given, expects the save to use that one.
bool Save(const fs::path& path, const std::string& bytes,
          std::optional<FileSave::Method> method = std::nullopt) {
    std::unique_ptr<FileSave> save = FileSave::Begin(path.string());
    if (!save) {
        return false;
    }
    if (method) {
        EXPECT_EQ(save->method(), *method) << path;
    }
    save->Append(bytes.data(), bytes.size());
    return save->Commit();
}

struct stat Stat(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
    return st;
}

mode_t Mode(const fs::path& path) {
    return Stat(path).st_mode & 07777;
}

// Runs body as an unprivileged user with a fresh folder and the settings file's path in it.
void InFolder(const std::function<void(const TempFolder&, const fs::path&)>& body) {
    RunUnprivileged([&] {
        TempFolder dir;
        body(dir, dir / "config.set");
    });
}

TEST(FileSave, ANewFileInAWritableFolderGetsTheUsualModeAndNothingElseRemains) {
    InFolder([](const TempFolder& dir, const fs::path& file) {
        EXPECT_TRUE(Save(file, kNew, FileSave::Method::ReplaceByRename));
        EXPECT_EQ(ReadBytes(file), kNew);
        EXPECT_EQ(Mode(file), 0644u); // 0666 under the umask 022
        EXPECT_EQ(Listing(dir.path()), "config.set");
    });
}

TEST(FileSave, AReplacementKeepsTheOldPermissionBits) {
    InFolder([](const TempFolder& dir, const fs::path& file) {
        for (mode_t mode : {0600u, 0640u, 0664u, 0604u}) {
            WriteBytes(file, kOld);
            ASSERT_EQ(chmod(file.c_str(), mode), 0);
            const ino_t before = Stat(file).st_ino;
            EXPECT_TRUE(Save(file, kNew));
            EXPECT_EQ(ReadBytes(file), kNew);
            EXPECT_EQ(Mode(file), mode) << std::oct << mode;
            EXPECT_NE(Stat(file).st_ino, before) << "replaced, not rewritten";
            EXPECT_EQ(Listing(dir.path()), "config.set");
        }
    });
}

TEST(FileSave, AFileThatCannotBeOpenedForWritingIsLeftAsItIs) {
    InFolder([](const TempFolder& dir, const fs::path& file) {
        WriteBytes(file, kOld);
        ASSERT_EQ(chmod(file.c_str(), 0444), 0);
        EXPECT_FALSE(FileSave::Begin(file.string()));
        CFile viaFramework;
        EXPECT_FALSE(viaFramework.Open(file.c_str(), CFile::modeCreate | CFile::modeWrite));
        EXPECT_EQ(ReadBytes(file), kOld);
        EXPECT_EQ(Mode(file), 0444u);
        EXPECT_EQ(Listing(dir.path()), "config.set");
    });
}

TEST(FileSave, ASymbolicLinkStaysALinkAndItsFileGetsTheBytes) {
    InFolder([](const TempFolder& dir, const fs::path&) {
        fs::create_directories(dir / "app");
        fs::create_directories(dir / "store");
        WriteBytes(dir / "store" / "settings", kOld);
        ASSERT_EQ(chmod((dir / "store" / "settings").c_str(), 0600), 0);

        // Relative, absolute and a chain of two.
        fs::create_symlink("../store/settings", dir / "app" / "relative");
        fs::create_symlink(dir / "store" / "settings", dir / "app" / "absolute");
        fs::create_symlink("relative", dir / "app" / "chain");
        for (const char* link : {"relative", "absolute", "chain"}) {
            const std::string bytes = kNew + " via " + link;
            std::unique_ptr<FileSave> save = FileSave::Begin((dir / "app" / link).string());
            ASSERT_TRUE(save) << link;
            EXPECT_EQ(fs::path(save->target()).lexically_normal(),
                      (dir / "store" / "settings").lexically_normal());
            save->Append(bytes.data(), bytes.size());
            EXPECT_TRUE(save->Commit()) << link;
            EXPECT_TRUE(fs::is_symlink(dir / "app" / link)) << link;
            EXPECT_EQ(ReadBytes(dir / "store" / "settings"), bytes);
            EXPECT_EQ(Mode(dir / "store" / "settings"), 0600u);
        }
        EXPECT_EQ(fs::read_symlink(dir / "app" / "relative"), "../store/settings");
        EXPECT_EQ(Listing(dir / "store"), "settings");

        // A link to a file not made yet makes that file.
        fs::create_symlink("../store/later", dir / "app" / "dangling");
        EXPECT_TRUE(Save(dir / "app" / "dangling", kNew));
        EXPECT_TRUE(fs::is_symlink(dir / "app" / "dangling"));
        EXPECT_EQ(ReadBytes(dir / "store" / "later"), kNew);

        // A loop of links leads nowhere: nothing is written.
        fs::create_symlink("loop-b", dir / "app" / "loop-a");
        fs::create_symlink("loop-a", dir / "app" / "loop-b");
        EXPECT_FALSE(Save(dir / "app" / "loop-a", kNew));
        EXPECT_EQ(Listing(dir / "app"), "absolute chain dangling loop-a loop-b relative");
    });
}

TEST(FileSave, AFolderThatTakesNoNewFileGetsItsWritableFileRewrittenInPlace) {
    InFolder([](const TempFolder& dir, const fs::path& file) {
        WriteBytes(file, kOld);
        const ino_t before = Stat(file).st_ino;
        ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);

        EXPECT_TRUE(Save(file, kNew, FileSave::Method::RewriteInPlace));
        EXPECT_EQ(ReadBytes(file), kNew) << "cut to the new length";
        EXPECT_EQ(Stat(file).st_ino, before);
        EXPECT_EQ(Mode(file), 0644u);
        EXPECT_EQ(Listing(dir.path()), "config.set");

        // Without a file, or with a read-only one, nothing can be saved there.
        EXPECT_FALSE(Save(dir / "other.set", kNew));
        ASSERT_EQ(chmod(file.c_str(), 0444), 0);
        EXPECT_FALSE(Save(file, kOld));
        EXPECT_EQ(ReadBytes(file), kNew);
        EXPECT_EQ(Listing(dir.path()), "config.set");
    });
}

TEST(FileSave, AFileWithOtherNamesIsRewrittenInPlaceSoEveryNameSeesTheBytes) {
    InFolder([](const TempFolder& dir, const fs::path&) {
        WriteBytes(dir / "config.set", kOld);
        fs::create_hard_link(dir / "config.set", dir / "other-name");
        EXPECT_TRUE(Save(dir / "config.set", kNew, FileSave::Method::RewriteInPlace));
        EXPECT_EQ(ReadBytes(dir / "other-name"), kNew);
        EXPECT_EQ(fs::hard_link_count(dir / "config.set"), 2u);
        EXPECT_EQ(Listing(dir.path()), "config.set other-name");
    });
}

// A file the user may write but does not own, in a folder of the user's: a replacement would
// take the file from its owner, so it is rewritten in place. Only root can make such a file.
TEST(FileSave, AFileOfAnotherOwnerKeepsItsOwner) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to make a file of another owner";
    }
    TempFolder dir;
    const testing_support::Account user = testing_support::UnprivilegedAccount();
    ASSERT_EQ(chown(dir.path().c_str(), user.uid, user.gid), 0);
    const fs::path file = dir / "config.set";
    WriteBytes(file, kOld);
    ASSERT_EQ(chmod(file.c_str(), 0666), 0);
    RunUnprivileged([&] { EXPECT_TRUE(Save(file, kNew, FileSave::Method::RewriteInPlace)); });
    EXPECT_EQ(ReadBytes(file), kNew);
    EXPECT_EQ(Stat(file).st_uid, 0u);
    EXPECT_EQ(Mode(file), 0666u);
    EXPECT_EQ(Listing(dir.path()), "config.set");
}

TEST(FileSave, WhatIsNotARegularFileIsNotSaved) {
    InFolder([](const TempFolder& dir, const fs::path&) {
        fs::create_directory(dir / "config.set");
        EXPECT_FALSE(Save(dir / "config.set", kNew));
        EXPECT_TRUE(fs::is_directory(dir / "config.set"));
        EXPECT_FALSE(Save("/dev/null", kNew));
        EXPECT_FALSE(Save(dir / "missing" / "config.set", kNew));
        EXPECT_EQ(Listing(dir.path()), "config.set");
    });
}

TEST(FileSave, EveryFailureRemovesTheTemporaryFileAndKeepsTheOldOne) {
    InFolder([](const TempFolder& dir, const fs::path& file) {
        WriteBytes(file, kOld);

        // Given up before the commit.
        {
            std::unique_ptr<FileSave> save = FileSave::Begin(file.string());
            ASSERT_TRUE(save);
            save->Append(kNew.data(), kNew.size());
            EXPECT_EQ(Listing(dir.path()).find(".config.set."), 0u) << "a temporary file exists";
        }
        EXPECT_EQ(ReadBytes(file), kOld);
        EXPECT_EQ(Listing(dir.path()), "config.set");

        // Writing fails: the file size limit stands in for a full disk.
        {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            const rlimit small{4, limit.rlim_max};
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
            EXPECT_FALSE(Save(file, kNew));
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        }
        EXPECT_EQ(ReadBytes(file), kOld);
        EXPECT_EQ(Listing(dir.path()), "config.set");

        // The rename fails: the file has become a folder meanwhile.
        {
            std::unique_ptr<FileSave> save = FileSave::Begin(file.string());
            ASSERT_TRUE(save);
            fs::remove(file);
            fs::create_directory(file);
            WriteBytes(file / "inside", kOld);
            save->Append(kNew.data(), kNew.size());
            EXPECT_FALSE(save->Commit());
        }
        EXPECT_EQ(ReadBytes(file / "inside"), kOld);
        EXPECT_EQ(Listing(dir.path()), "config.set");
    });
}

// Two copies closing at the same moment, many times over: the file is always one of the two
// whole, for a reader during the saves and at the end.
void TwoCopiesAtOnce(bool folderTakesNewFiles) {
    TempFolder dir(testing_support::MemoryFolder());
    const fs::path file = dir / "config.set";
    const std::string a(45, 'a'), b(45, 'b');
    WriteBytes(file, a);
    if (!folderTakesNewFiles) {
        ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    }
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t copies[2];
    for (int i = 0; i < 2; ++i) {
        copies[i] = fork();
        ASSERT_GE(copies[i], 0);
        if (copies[i] == 0) {
            close(start[1]);
            char go;
            const bool started = read(start[0], &go, 1) == 0; // both start when the pipe closes
            bool ok = started;
            for (int round = 0; round < 200 && ok; ++round) {
                ok = Save(file, i == 0 ? a : b);
            }
            std::_Exit(ok ? 0 : 1);
        }
    }
    close(start[0]);
    close(start[1]);
    int reads = 0;
    for (;;) {
        const std::string seen = ReadBytes(file);
        EXPECT_TRUE(seen == a || seen == b) << "a reader saw '" << seen << "'";
        ++reads;
        int status = 0;
        if (waitpid(copies[0], &status, WNOHANG) == copies[0]) {
            EXPECT_EQ(status, 0);
            ASSERT_EQ(waitpid(copies[1], &status, 0), copies[1]);
            EXPECT_EQ(status, 0);
            break;
        }
    }
    const std::string last = ReadBytes(file);
    EXPECT_TRUE(last == a || last == b) << last;
    EXPECT_EQ(Listing(dir.path()), "config.set");
    EXPECT_GT(reads, 0);
}

TEST(FileSave, TwoCopiesSavingAtOnceLeaveOneWholeFile) {
    RunUnprivileged([] { TwoCopiesAtOnce(true); });
    RunUnprivileged([] { TwoCopiesAtOnce(false); });
}

} // namespace
