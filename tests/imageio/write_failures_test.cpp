// Writes that cannot succeed: what they say, and that they leave nothing behind and the old
// file as it was. Permissions are tested as an unprivileged user, a full disk with a file size
// limit, both in a child process.

#include "imageio/image_writers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace imageio_test;
using imageio::Frame;
using imageio::WriteFailure;

TEST(WriteFailures, RefuseWhatCannotBeWritten) {
    TempFolder dir;
    const Frame frame = GrayFrame(4, 4);
    imageio::Frame empty{0, 0, {}};
    imageio::Frame huge{16385, 1, std::vector<std::uint32_t>(16385)};
    for (const auto& [what, view] :
         {std::pair{"empty", empty.View()}, std::pair{"too wide", huge.View()}}) {
        SCOPED_TRACE(what);
        EXPECT_EQ(imageio::WritePng(view, dir / "x.png").failure, WriteFailure::Frame);
        EXPECT_EQ(imageio::WriteBmp(view, dir / "x.bmp").failure, WriteFailure::Frame);
        EXPECT_EQ(imageio::WriteDicom(view, dir / "x.dcm", {}).failure, WriteFailure::Frame);
    }
    const imageio::WriteResult unknown = imageio::WriteImage(frame.View(), dir / "x.jpg", {});
    EXPECT_NE(unknown.error.find("unknown file type"), std::string::npos) << unknown.error;
    EXPECT_EQ(unknown.failure, WriteFailure::Target);
    EXPECT_EQ(imageio::WriteImage(frame.View(), dir / "x.PNG", {}).error, "");
    EXPECT_EQ(imageio::WriteImage(frame.View(), dir / "x.Dcm", {}).error, "");
    EXPECT_EQ(Listing(dir.path()), "x.Dcm x.PNG");
}

TEST(WriteFailures, NeverWriteThroughADeviceOrOverAFolder) {
    // As root a rename over /dev/null would replace the device with the image.
    for (const char* device : {"/dev/null", "/dev/full"}) {
        const imageio::WriteResult r = imageio::WriteBmp(GrayFrame(2, 2).View(), device);
        EXPECT_NE(r.error.find("not a regular file"), std::string::npos) << r.error;
        EXPECT_EQ(r.failure, WriteFailure::Target);
        struct stat st {};
        ASSERT_EQ(stat(device, &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode)) << device;
    }
    const std::vector<std::string> devEntries = [] {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator("/dev")) {
            if (e.path().filename().string().find(".tmp-") != std::string::npos) {
                names.push_back(e.path().string());
            }
        }
        return names;
    }();
    EXPECT_TRUE(devEntries.empty());

    TempFolder dir;
    fs::create_directory(dir / "sub.png");
    const imageio::WriteResult r = imageio::WritePng(GrayFrame(2, 2).View(), dir / "sub.png");
    EXPECT_NE(r.error.find("is a folder"), std::string::npos) << r.error;
    EXPECT_TRUE(fs::is_directory(dir / "sub.png"));
}

TEST(WriteFailures, FailWhenTheFolderIsAFile) {
    TempFolder dir;
    WriteBytes(dir / "plain", {1, 2, 3});
    const Frame frame = ColourFrame(8, 8);
    for (const char* name : {"plain/x.png", "plain/x.bmp", "plain/x.dcm"}) {
        const imageio::WriteResult r = imageio::WriteImage(frame.View(), dir / name, {});
        EXPECT_NE(r.error.find("Not a directory"), std::string::npos) << r.error;
        EXPECT_EQ(r.failure, WriteFailure::Target);
    }
    EXPECT_EQ(Listing(dir.path()), "plain");
    EXPECT_EQ(ReadBytes(dir / "plain"), (std::vector<std::uint8_t>{1, 2, 3}));
}

// Runs `body` in a child process and returns its exit code (or 128 + signal).
template <class Body> int InChild(Body body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(WriteFailures, FailInAFolderTheUserMayNotWriteTo) {
    TempFolder dir;
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
    fs::create_directory(dir / "locked");
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec |
                                        fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
    const fs::path locked = dir / "locked";
    testing_support::RunUnprivileged([&] {
        const Frame frame = GrayFrame(16, 16);
        for (const char* name : {"x.png", "x.bmp", "x.dcm"}) {
            const imageio::WriteResult r = imageio::WriteImage(frame.View(), locked / name, {});
            EXPECT_NE(r.error.find("Permission denied"), std::string::npos)
                << name << ": " << r.error;
            EXPECT_TRUE(r.failure == WriteFailure::Target) << name;
        }
    });
    EXPECT_TRUE(fs::is_empty(locked));
}

TEST(WriteFailures, AFullDiskLeavesNoFileAndKeepsTheOldOne) {
    TempFolder dir;
    WriteBytes(dir / "old.png", {'o', 'l', 'd'});
    const Frame frame = ColourFrame(512, 512); // some 800 kB in every format
    const int code = InChild([&] {
        // The file size limit makes write() fail with EFBIG, as a full disk fails with ENOSPC.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 3;
        }
        int failures = 0;
        for (const char* name : {"old.png", "new.bmp", "new.dcm"}) {
            const imageio::WriteResult r = imageio::WriteImage(frame.View(), dir / name, {});
            if (r.error.find("File too large") == std::string::npos ||
                r.failure != WriteFailure::Writing) {
                std::fprintf(stderr, "%s: '%s'\n", name, r.error.c_str());
                ++failures;
            }
        }
        return failures;
    });
    ASSERT_NE(code, 3);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Listing(dir.path()), "old.png");
    EXPECT_EQ(ReadBytes(dir / "old.png"), (std::vector<std::uint8_t>{'o', 'l', 'd'}));

    // Without the limit the same write replaces the old file.
    ASSERT_TRUE(imageio::WritePng(frame.View(), dir / "old.png").ok());
    EXPECT_TRUE(ReadPngDirect(dir / "old.png").pixels == frame.pixels);
    EXPECT_EQ(Listing(dir.path()), "old.png");
}

TEST(WriteFailures, NewFilesGetTheUsualPermissions) {
    TempFolder dir;
    const mode_t old = umask(022);
    ASSERT_TRUE(imageio::WriteBmp(GrayFrame(2, 2).View(), dir / "p.bmp").ok());
    umask(old);
    struct stat st {};
    ASSERT_EQ(stat((dir / "p.bmp").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

} // namespace
