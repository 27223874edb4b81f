// --export: the files hold exactly the frames the program shows, read back with libpng and
// DCMTK; bad arguments and failed writes are refused without leaving files behind.

#include "app/command_line.h"
#include "app/export_command.h"
#include "export_support.h"
#include "support/session.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

namespace {

using namespace export_test;
using imageio_test::Listing;
using imageio_test::ReadDicomDirect;
using imageio_test::ReadPngDirect;
using imageio_test::TempFolder;

std::vector<std::uint32_t> PixelsOf(const gdi::Surface& s) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            pixels.push_back(s.At(x, y) & 0xFFFFFFu);
        }
    }
    return pixels;
}

// The index of the first pixel that differs, or -1, so that a failure says where.
long FirstDifference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    if (a.size() != b.size()) {
        return 0;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

struct Shot {
    std::string pattern; // a number or "start"
    int width, height;
    int gray = 0;
    int steps = 128;
    bool labels = true;
};

std::vector<std::string> ArgsOf(const Shot& s, const fs::path& output) {
    return {"--export", s.pattern,
            "--size",   std::to_string(s.width) + "x" + std::to_string(s.height),
            "-o",       output.string(),
            "--gray",   std::to_string(s.gray),
            "--steps",  std::to_string(s.steps),
            "--labels", s.labels ? "on" : "off"};
}

gdi::Surface ExpectedFrame(const Shot& s) {
    return s.pattern == "start"
               ? StartFrame(s.width, s.height)
               : StateFrame(s.width, s.height, std::stoi(s.pattern), s.gray, s.labels, s.steps);
}

TEST(Export, PngAndDicomFilesHoldExactlyTheFrameTheScreenShows) {
    TempFolder dir;
    // Gray and colour patterns, labels and states, the start screen, the TG18 images.
    const Shot shots[] = {
        {"7", 640, 480},
        {"13", 1024, 768, 100, 32, false},
        {"13", 800, 600, 0, 256, true},
        {"26", 333, 222},
        {"29", 320, 200, 77, 128, true},
        {"39", 1280, 720},
        {"14", 1024, 768},
        {"15", 700, 900},
        {"16", 1920, 1080},
        {"start", 1024, 768},
    };
    for (const Shot& s : shots) {
        const gdi::Surface expected = ExpectedFrame(s);
        ASSERT_EQ(expected.Width(), s.width);
        const std::vector<std::uint32_t> want = PixelsOf(expected);
        const std::string name = "p" + s.pattern + "-" + std::to_string(s.width);
        for (const char* extension : {".png", ".dcm"}) {
            const fs::path file = dir / (name + extension);
            const Outcome o = RunExportCommand(ArgsOf(s, file));
            ASSERT_EQ(o.code, 0) << name << extension << ": " << o.err;
            EXPECT_EQ(o.err, "") << name << extension;
            std::vector<std::uint32_t> got;
            if (std::string(extension) == ".png") {
                const imageio_test::PngFile png = ReadPngDirect(file);
                ASSERT_EQ(png.error, "") << name;
                EXPECT_EQ(png.width, s.width);
                EXPECT_EQ(png.height, s.height);
                got = png.pixels;
            } else {
                const imageio_test::DicomFile dcm = ReadDicomDirect(file);
                ASSERT_EQ(dcm.error, "") << name;
                EXPECT_EQ(dcm.columns, s.width);
                EXPECT_EQ(dcm.rows, s.height);
                got = dcm.pixels;
            }
            EXPECT_EQ(FirstDifference(got, want), -1) << name << extension;
        }
    }
}

TEST(Export, DicomFilesAreValidAndEachHasItsOwnUids) {
    TempFolder dir;
    for (const char* name : {"a.dcm", "b.dcm"}) {
        const Outcome o = RunExportCommand(
            {"--export", "14", "--size", "640x480", "-o", (dir / name).string(), "--gray", "12"});
        ASSERT_EQ(o.code, 0) << o.err;
    }
    const imageio_test::DicomFile a = ReadDicomDirect(dir / "a.dcm"),
                                  b = ReadDicomDirect(dir / "b.dcm");
    ASSERT_EQ(a.error, "");
    ASSERT_EQ(b.error, "");
    for (const char* uid : {"SOPInstanceUID", "StudyInstanceUID", "SeriesInstanceUID"}) {
        EXPECT_TRUE(a.Value(uid).starts_with("2.25.")) << uid << " " << a.Value(uid);
        EXPECT_NE(a.Value(uid), b.Value(uid)) << uid;
    }
    EXPECT_EQ(a.photometric, "MONOCHROME2");
    // The attributes say which pattern, at which size and in which state.
    std::string said;
    for (const auto& [keyword, value] : a.values) {
        said += value + "\n";
    }
    EXPECT_NE(said.find("TG18-QC"), std::string::npos) << said;
    EXPECT_NE(said.find("640"), std::string::npos) << said;

    const imageio_test::CommandResult r =
        imageio_test::RunCommand("dciodvfy " + (dir / "a.dcm").string());
    ASSERT_NE(r.status, 127) << "dciodvfy is missing: install dicom3tools";
    std::istringstream lines(r.output);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("Error", 0), std::string::npos) << line;
    }
}

TEST(Export, AllWritesEveryPatternAndTheStartScreenByNumberAndName) {
    TempFolder dir;
    const fs::path out = dir / "frames";
    Outcome o = RunExportCommand({"--export", "all", "--size", "96x64", "-o", out.string()});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.err, ""); // no progress bar unless on a terminal
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(out)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 44u);
    EXPECT_EQ(names.front(), "00-edge-line-left.png");
    EXPECT_EQ(names[7], "07-pixel-checker.png");
    EXPECT_EQ(names[14], "14-tg18-qc.png");
    EXPECT_EQ(names.back(), "start.png");
    for (const std::string& n : names) {
        EXPECT_EQ(n.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-."), n.npos) << n;
    }
    for (const auto& [name, id] :
         {std::pair{"26-red.png", 26}, std::pair{"36-gray-ramp.png", 36}}) {
        EXPECT_EQ(FirstDifference(ReadPngDirect(out / name).pixels,
                                  PixelsOf(StateFrame(96, 64, id, 0, true, 128))),
                  -1)
            << name;
    }
    EXPECT_EQ(
        FirstDifference(ReadPngDirect(out / "start.png").pixels, PixelsOf(StartFrame(96, 64))), -1);

    // On a terminal, a bar that ends its line; DICOM on request, as one study.
    o = RunExportCommand(
        {"--export", "all", "--size", "64x48", "-o", (dir / "dcm").string(), "--format", "dcm"},
        /*progressBar=*/true);
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.err.find("\r["), std::string::npos);
    EXPECT_NE(o.err.find("44/44"), std::string::npos);
    EXPECT_EQ(o.err.back(), '\n');
    const imageio_test::DicomFile first = ReadDicomDirect(dir / "dcm" / "00-edge-line-left.dcm");
    const imageio_test::DicomFile last = ReadDicomDirect(dir / "dcm" / "start.dcm");
    EXPECT_EQ(first.Value("StudyInstanceUID"), last.Value("StudyInstanceUID"));
    EXPECT_NE(first.Value("SOPInstanceUID"), last.Value("SOPInstanceUID"));
}

TEST(Export, NeitherReadsNorWritesTheSettingsFile) {
    TempFolder dir;
    // A settings file beside the executable that disables every pattern but 0 and points at it.
    const std::string selection = std::string(kPatternCount - 1, '0') + "1";
    std::vector<std::uint8_t> bytes = testing_support::SettingsBytes(0, selection);
    {
        std::ofstream f(dir / "config.set", std::ios::binary);
        f.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    }
    const auto before = fs::last_write_time(dir / "config.set");
    const Outcome o =
        RunExportCommand({"--export", "9", "--size", "200x100", "-o", (dir / "nine.png").string()},
                         false, (dir / "lumivex").string());
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(imageio_test::ReadBytes(dir / "config.set"), bytes);
    EXPECT_EQ(fs::last_write_time(dir / "config.set"), before);
    EXPECT_EQ(FirstDifference(ReadPngDirect(dir / "nine.png").pixels,
                              PixelsOf(StateFrame(200, 100, 9, 0, true, 128))),
              -1);
}

TEST(Export, BadArgumentsSayWhyExitWith2AndWriteNothing) {
    TempFolder dir;
    const std::string file = (dir / "x.png").string();
    fs::create_directory(dir / "folder");
    std::ofstream(dir / "plain") << "x";
    const std::vector<std::vector<std::string>> cases = {
        {"--export", "43", "--size", "10x10", "-o", file},
        {"--export", "-1", "--size", "10x10", "-o", file},
        {"--export", "seven", "--size", "10x10", "-o", file},
        {"--export", "7", "--size", "0x10", "-o", file},
        {"--export", "7", "--size", "16385x10", "-o", file},
        {"--export", "7", "--size", "10", "-o", file},
        {"--export", "7", "--size", "10x", "-o", file},
        {"--export", "7", "-o", file},
        {"--export", "7", "--size", "10x10"},
        {"--export", "7", "--size", "10x10", "-o", (dir / "x.jpg").string()},
        {"--export", "7", "--size", "10x10", "-o", (dir / "x").string()},
        {"--export", "7", "--size", "10x10", "-o", (dir / "no" / "x.png").string()},
        {"--export", "7", "--size", "10x10", "-o", (dir / "folder").string()},
        {"--export", "all", "--size", "10x10", "-o", (dir / "plain").string()},
        {"--export", "7", "--size", "10x10", "-o", file, "--gray", "256"},
        {"--export", "7", "--size", "10x10", "-o", file, "--gray", "-3"},
        {"--export", "7", "--size", "10x10", "-o", file, "--steps", "100"},
        {"--export", "7", "--size", "10x10", "-o", file, "--steps", "512"},
        {"--export", "7", "--size", "10x10", "-o", file, "--labels", "yes"},
        {"--export", "7", "--size", "10x10", "-o", file, "--format", "dcm"},
        {"--export", "7", "--size", "10x10", "-o", file, "--gray"},
        {"--export", "7", "--size", "10x10", "-o", file, "--screen", "0"},
        {"--export", "7", "--size", "10x10", "-o", file, "--tg18-dir", (dir / "missing").string()},
        {"--export", "7", "--size", "10x10", "-o", "/dev/null.png/x.png"},
    };
    for (const auto& args : cases) {
        std::string line;
        for (const std::string& a : args) {
            line += a + " ";
        }
        const Outcome o = RunExportCommand(args);
        EXPECT_EQ(o.code, 2) << line << "\n" << o.err;
        EXPECT_TRUE(o.err.starts_with("lumivex: ")) << line << "\n" << o.err;
        EXPECT_EQ(o.out, "") << line;
    }
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(dir.path())) {
        left.push_back(e.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"folder", "plain"}));
    EXPECT_TRUE(fs::is_empty(dir / "folder"));
}

TEST(Export, ExportIsDispatchedFromTheCommandLineAndListedInTheHelp) {
    std::ostringstream out, err;
    const char* help[] = {"lumivex", "--help"};
    EXPECT_EQ(HandleCommandLine(2, help, out, err), 0);
    for (const char* option :
         {"--export", "--size", "--gray", "--steps", "--labels", "--tg18-dir", "--verify"}) {
        EXPECT_NE(out.str().find(option), std::string::npos) << option;
    }
    // Without a window system to draw on, an export is refused plainly.
    const char* args[] = {"lumivex", "--export", "7", "--size", "10x10", "-o", "/tmp/x.png"};
    std::ostringstream out2, err2;
    EXPECT_EQ(HandleCommandLine(7, args, out2, err2), 2);
    EXPECT_NE(err2.str().find("not available"), std::string::npos) << err2.str();
}

// A write that the system stops halfway (here a file size limit, as a full disk would) exits
// with 1 and leaves neither the file nor a temporary one.
TEST(Export, AFailedWriteExitsWith1AndLeavesNoFile) {
    TempFolder dir;
    const fs::path file = dir / "big.dcm";
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        const Outcome o =
            RunExportCommand({"--export", "7", "--size", "400x300", "-o", file.string()});
        std::fprintf(stderr, "%s", o.err.c_str());
        _exit(o.code.value_or(99));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(Listing(dir.path()), "");
}

} // namespace
