// Saving a file on Windows: what is written, what is left alone, that nothing but the file
// remains, and where the settings of a copy go.

#include "catalogue/settings_location.h"
#include "platform/windowing/file_save.h"
#include "platform/windowing/user_folders.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using windowing::FileSave;

const std::string kOld = "old settings, longer than the new ones: 0123456789";
const std::string kNew = "new settings";

class FileSaveWin32 : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  (L"lumivex-save-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(std::random_device{}()) + L"-\u00e9\u4e2d");
        fs::create_directories(folder_);
    }
    void TearDown() override {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    static std::string Utf8(const fs::path& path) {
        const std::u8string u8 = path.u8string();
        return std::string(u8.begin(), u8.end());
    }
    static void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::wstring> Listing() const {
        std::vector<std::wstring> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().wstring());
        }
        return names;
    }
    static bool Save(const fs::path& path, const std::string& bytes,
                     FileSave::Method* method = nullptr) {
        std::unique_ptr<FileSave> save = FileSave::Begin(Utf8(path));
        if (!save) {
            return false;
        }
        if (method) {
            *method = save->method();
        }
        save->Append(bytes.data(), bytes.size());
        return save->Commit();
    }

    // config.set in the folder, holding kOld.
    fs::path OldSettings() const {
        const fs::path file = folder_ / L"config.set";
        Write(file, kOld);
        return file;
    }

    fs::path folder_;
};

TEST_F(FileSaveWin32, CreatesAndReplacesLeavingOnlyTheFile) {
    const fs::path file = folder_ / L"config.set";
    FileSave::Method method{};
    ASSERT_TRUE(Save(file, kOld, &method));
    EXPECT_EQ(method, FileSave::Method::ReplaceByRename);
    ASSERT_TRUE(Save(file, kNew, &method));
    EXPECT_EQ(method, FileSave::Method::ReplaceByRename);
    EXPECT_EQ(Read(file), kNew);
    EXPECT_EQ(Listing(), std::vector<std::wstring>{L"config.set"});
}

TEST_F(FileSaveWin32, ASaveNeverCommittedLeavesTheOldFileAndNoTemporary) {
    const fs::path file = OldSettings();
    {
        std::unique_ptr<FileSave> save = FileSave::Begin(Utf8(file));
        ASSERT_TRUE(save);
        save->Append(kNew.data(), kNew.size());
    }
    EXPECT_EQ(Read(file), kOld);
    EXPECT_EQ(Listing(), std::vector<std::wstring>{L"config.set"});
}

TEST_F(FileSaveWin32, AReadOnlyFileIsLeftAlone) {
    const fs::path file = OldSettings();
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(FileSave::Begin(Utf8(file)));
    EXPECT_FALSE(Save(file, kNew));
    EXPECT_EQ(Read(file), kOld);
    EXPECT_EQ(Listing(), std::vector<std::wstring>{L"config.set"});
}

TEST_F(FileSaveWin32, AHiddenFileStaysHidden) {
    const fs::path file = OldSettings();
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(Save(file, kNew));
    EXPECT_EQ(Read(file), kNew);
    const DWORD attributes = GetFileAttributesW(file.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FileSaveWin32, AFileWithHardLinksIsRewrittenInPlaceAndShortened) {
    const fs::path file = folder_ / L"config.set";
    const fs::path other = folder_ / L"other name.set";
    Write(file, kOld);
    if (!CreateHardLinkW(other.c_str(), file.c_str(), nullptr)) {
        GTEST_SKIP() << "this file system has no hard links";
    }
    FileSave::Method method{};
    ASSERT_TRUE(Save(file, kNew, &method));
    EXPECT_EQ(method, FileSave::Method::RewriteInPlace);
    EXPECT_EQ(Read(file), kNew);
    EXPECT_EQ(Read(other), kNew);
}

TEST_F(FileSaveWin32, RefusesFoldersAndPathsThatAreNotUtf8) {
    EXPECT_FALSE(FileSave::Begin(Utf8(folder_)));
    EXPECT_FALSE(FileSave::Begin(Utf8(folder_) + "\\bad\xff.set"));
    EXPECT_FALSE(FileSave::Begin(""));
    EXPECT_EQ(Listing(), std::vector<std::wstring>{});
}

TEST_F(FileSaveWin32, UserFoldersAreMadeAndProbedWithoutTraces) {
    const fs::path nested = folder_ / L"a" / L"b";
    ASSERT_TRUE(windowing::MakeUserFolders(Utf8(nested)));
    EXPECT_TRUE(fs::is_directory(nested));
    EXPECT_TRUE(windowing::MakeUserFolders(Utf8(nested))); // already there
    EXPECT_TRUE(windowing::FolderTakesNewFiles(Utf8(nested)));
    EXPECT_TRUE(fs::is_empty(nested));
    EXPECT_FALSE(windowing::FolderTakesNewFiles(Utf8(folder_ / L"missing")));
    Write(folder_ / L"plain", kOld);
    EXPECT_FALSE(windowing::MakeUserFolders(Utf8(folder_ / L"plain")));
}

TEST_F(FileSaveWin32, SettingsGoBesideAPortableCopyElseToAppDataLumivex) {
    const std::string config = windowing::UserConfigHome();
    ASSERT_FALSE(config.empty());
    EXPECT_TRUE(fs::is_directory(fs::path(std::u8string(config.begin(), config.end()))));
    const std::string perUser = config + "/Lumivex/config.set";

    const std::string executable = Utf8(folder_ / L"lumivex.exe");
    const SettingsLocation portable = LocateSettings(executable, "");
    EXPECT_EQ(portable.file, Utf8(folder_) + "/config.set");
    EXPECT_FALSE(portable.folderMadeOnSave);

    const SettingsLocation installed = LocateSettings(executable, Utf8(folder_));
    EXPECT_EQ(installed.file, perUser);
    EXPECT_TRUE(installed.folderMadeOnSave);

    const std::string missing = Utf8(folder_ / L"missing" / L"lumivex.exe");
    EXPECT_EQ(LocateSettings(missing, "").file, perUser);
}

} // namespace
