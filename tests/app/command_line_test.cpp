#include "app/command_line.h"

#include "support/command_outcome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

using Outcome = testing_support::CommandOutcome;

Outcome Invoke(std::vector<const char*> args) {
    return testing_support::RunCommand(
        [](int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
            return HandleCommandLine(argc, argv, out, err);
        },
        std::move(args));
}

TEST(CommandLine, WithoutOurOptionsTheProgramStarts) {
    EXPECT_FALSE(Invoke({}).code);
    // The window system's own options are left to it.
    EXPECT_FALSE(Invoke({"-platform", "offscreen"}).code);
}

TEST(CommandLine, ExportResourcesWritesEveryBitmapInEitherSpelling) {
    const fs::path base = fs::path(testing::TempDir()) / "lumivex-cli";
    fs::remove_all(base);
    const std::string spaced = (base / "a").string(),
                      joined = "--export-resources=" + (base / "b").string();
    for (const Outcome& o :
         {Invoke({"--export-resources", spaced.c_str()}), Invoke({joined.c_str()})}) {
        EXPECT_EQ(o.code, 0);
        EXPECT_EQ(o.err, "");
        EXPECT_NE(o.out.find("Wrote 14 bitmaps"), std::string::npos) << o.out;
    }
    for (const char* sub : {"a", "b"}) {
        EXPECT_TRUE(fs::exists(base / sub / "130-tg18-qc-1024.bmp")) << sub;
        EXPECT_EQ(std::distance(fs::directory_iterator(base / sub), fs::directory_iterator()), 14);
    }
    fs::remove_all(base);
}

TEST(CommandLine, ExportFailuresSayWhyAndFail) {
    Outcome missing = Invoke({"--export-resources"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find("needs a directory"), std::string::npos);
    EXPECT_EQ(Invoke({"--export-resources="}).code, 2);

    const fs::path file = fs::path(testing::TempDir()) / "lumivex-cli-file";
    std::ofstream(file) << "x";
    const std::string path = file.string();
    Outcome blocked = Invoke({"--export-resources", path.c_str()});
    EXPECT_EQ(blocked.code, 1);
    EXPECT_NE(blocked.err.find(file.string()), std::string::npos) << blocked.err;
    fs::remove(file);
}

TEST(CommandLine, HelpListsTheOptions) {
    for (const char* spelling : {"--help", "-h"}) {
        Outcome help = Invoke({spelling});
        EXPECT_EQ(help.code, 0);
        EXPECT_EQ(help.err, "");
        for (const char* option : {"--screen N|NAME", "--list-screens", "--language zh|en|de|fr",
                                   "--export-resources DIR", "--help", "--version"}) {
            EXPECT_NE(help.out.find(option), std::string::npos) << option;
        }
    }
}

TEST(CommandLine, VersionIsTheProgramsNameAndThreeNumbers) {
    Outcome version = Invoke({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(std::regex_match(version.out, std::regex("lumivex [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << version.out;
}

} // namespace
