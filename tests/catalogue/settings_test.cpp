#include "support/session.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::Session;
using testing_support::SettingsBytes;

namespace {

struct Loaded {
    int position;
    std::string enabled; // bit 42 first, like the file
};

// Starts the program on the given file content and reports what it loaded.
Loaded LoadFrom(const std::vector<std::uint8_t>* bytes) {
    Session s;
    if (bytes) {
        s.WriteSettings(*bytes);
    }
    Loaded loaded{};
    s.backend.Run([&] {
        loaded.position = Session::Main().Position();
        for (int bit = 42; bit >= 0; --bit) {
            loaded.enabled +=
                Session::Main().EnabledSet().test(static_cast<std::size_t>(bit)) ? '1' : '0';
        }
    });
    s.Run();
    return loaded;
}

const std::string kAll(43, '1');

TEST(Settings, AFirstRunWritesExactly45Bytes) {
    Session s;
    s.Run();
    EXPECT_EQ(s.ReadSettings(), SettingsBytes(0, kAll));
}

TEST(Settings, TheSelectionIsTheEnabledSetMostSignificantBitFirst) {
    Session s;
    std::string sel(43, '0');
    sel[42] = '1'; // pattern 0
    sel[40] = '1'; // pattern 2
    s.WriteSettings(SettingsBytes(1, sel));
    s.backend.Run([] { EXPECT_EQ(Session::Main().Playlist(), (std::vector<std::int32_t>{0, 2})); });
    s.Run();
    const std::string expected = "\x01\x2B" + std::string(40, '\x30') + "\x31\x30\x31";
    EXPECT_EQ(s.ReadSettings(), std::vector<std::uint8_t>(expected.begin(), expected.end()));
}

TEST(Settings, MalformedFilesKeepWhatCouldBeRead) {
    const std::vector<std::uint8_t> empty;
    EXPECT_EQ(LoadFrom(&empty).position, 0);
    EXPECT_EQ(LoadFrom(&empty).enabled, kAll);

    const std::vector<std::uint8_t> oneByte{7};
    EXPECT_EQ(LoadFrom(&oneByte).position, 7);
    EXPECT_EQ(LoadFrom(&oneByte).enabled, kAll);

    // A length byte promising more characters than there are: the selection is not applied.
    std::vector<std::uint8_t> shortText{9, 43, '0', '0', '0'};
    EXPECT_EQ(LoadFrom(&shortText).position, 9);
    EXPECT_EQ(LoadFrom(&shortText).enabled, kAll);

    // A short selection sets the low patterns from its last character.
    auto one = SettingsBytes(0, "0");
    EXPECT_EQ(LoadFrom(&one).enabled, std::string(42, '1') + "0");
    auto oneSet = SettingsBytes(0, "1");
    EXPECT_EQ(LoadFrom(&oneSet).enabled, kAll);

    // Characters other than "1" count as "0"; bytes after the selection are ignored.
    std::string odd = std::string(42, 'x') + "1";
    auto oddBytes = SettingsBytes(200, odd);
    oddBytes.push_back(0x55);
    const Loaded l = LoadFrom(&oddBytes);
    EXPECT_EQ(l.position, 200);
    EXPECT_EQ(l.enabled, std::string(42, '0') + "1");

    // A longer selection: only its first 43 characters count.
    auto longer = SettingsBytes(0, "1" + std::string(42, '0') + "1111");
    EXPECT_EQ(LoadFrom(&longer).enabled, "1" + std::string(42, '0'));

    // The escaped long length form is read too.
    std::vector<std::uint8_t> escaped{3, 0xFF, 43, 0};
    escaped.insert(escaped.end(), 43, '0');
    EXPECT_EQ(LoadFrom(&escaped).enabled, std::string(43, '0'));

    // A huge length prefix fails at the end of the data without allocating it.
    std::vector<std::uint8_t> huge{4, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, '1'};
    EXPECT_EQ(LoadFrom(&huge).position, 4);
    EXPECT_EQ(LoadFrom(&huge).enabled, kAll);
}

// The reader takes every string form of the framework's archive, although the program writes the
// short one only. The selection enables patterns 0, 5 and 42, so a wrong byte order, a dropped
// high byte or a misread length all show.
TEST(Settings, EveryStringFormOfTheReaderLoads) {
    std::string selection(43, '0');
    selection[42 - 0] = '1';
    selection[42 - 5] = '1';
    selection[42 - 42] = '1';
    auto file = [](std::vector<std::uint8_t> prefix, const std::string& text, bool wide) {
        prefix.insert(prefix.begin(), 6); // the position
        for (char c : text) {
            prefix.push_back(static_cast<std::uint8_t>(c));
            if (wide) {
                prefix.push_back(0);
            }
        }
        return prefix;
    };
    const struct {
        const char* form;
        std::vector<std::uint8_t> bytes;
    } forms[] = {
        {"short", file({43}, selection, false)},
        {"word length", file({0xFF, 43, 0}, selection, false)},
        {"dword length", file({0xFF, 0xFF, 0xFF, 43, 0, 0, 0}, selection, false)},
        {"wide", file({0xFF, 0xFE, 0xFF, 43}, selection, true)},
        {"wide, word length", file({0xFF, 0xFE, 0xFF, 0xFF, 43, 0}, selection, true)},
    };
    for (const auto& f : forms) {
        const Loaded l = LoadFrom(&f.bytes);
        EXPECT_EQ(l.position, 6) << f.form;
        EXPECT_EQ(l.enabled, selection) << f.form;
    }

    // A wide character is narrowed whole: U+0131 ends in the byte of "1" and still counts as
    // "0"; a wide "1" in the last place enables pattern 0 alone.
    std::vector<std::uint8_t> wide = file({0xFF, 0xFE, 0xFF, 2}, "", true);
    wide.insert(wide.end(), {0x31, 0x01, 0x31, 0x00});
    EXPECT_EQ(LoadFrom(&wide).enabled, std::string(41, '1') + "01");

    // A wide string cut short applies nothing.
    std::vector<std::uint8_t> cut = file({0xFF, 0xFE, 0xFF, 43}, selection.substr(0, 20), true);
    EXPECT_EQ(LoadFrom(&cut).enabled, kAll);
}

TEST(Settings, AnEmptySelectionShowsPatternZeroButStaysEmpty) {
    Session s;
    s.WriteSettings(SettingsBytes(200, std::string(43, '0')));
    s.backend.Run([] {
        EXPECT_EQ(Session::Main().Playlist(), (std::vector<std::int32_t>{0}));
        EXPECT_TRUE(Session::Main().EnabledSet().none());
    });
    s.Run();
    EXPECT_EQ(s.ReadSettings(), SettingsBytes(200, std::string(43, '0')));
}

TEST(Settings, AnUnwritableDirectoryLosesNothingElse) {
    Session s;
    // A directory in the file's place: neither load nor save can open it.
    std::filesystem::create_directory(s.SettingsPath());
    s.backend.Run([] { EXPECT_EQ(Session::Main().Position(), 0); });
    s.Run();
    EXPECT_TRUE(std::filesystem::is_directory(s.SettingsPath()));
    const auto folder = s.SettingsPath().parent_path();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
        << "nothing but the directory, no temporary file";
}

TEST(Settings, APositionBeyondThePlaylistIsKeptAndTakenModulo) {
    Session s;
    s.WriteSettings(SettingsBytes(200, kAll));
    s.backend.KeyDown(VK_SHIFT); // redraw: entry 200 mod 43 = 28, full blue
    s.backend.Run([&] { EXPECT_EQ(Session::Main().Position(), 200); });
    s.Run();
}

} // namespace

namespace {

// Random files of every kind load without harm: the position is the first byte when there is
// one, and a selection is applied only when its whole string could be read.
TEST(Settings, RandomFilesLoadSafely) {
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 24;
    };
    for (int round = 0; round < 150; ++round) {
        std::vector<std::uint8_t> bytes(next() % 60);
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(next());
        }
        if (round % 3 == 0 && bytes.size() > 1) {
            bytes[1] = static_cast<std::uint8_t>(bytes.size() - 2); // a well-formed length
        }
        const Loaded l = LoadFrom(&bytes);
        EXPECT_EQ(l.position, bytes.empty() ? 0 : bytes[0]);
        if (bytes.size() < 2 || bytes[1] == 0xFF || bytes[1] > bytes.size() - 2) {
            EXPECT_EQ(l.enabled, kAll) << round;
        }
    }
}

} // namespace
