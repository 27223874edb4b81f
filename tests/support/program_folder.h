#pragma once
// The folder a test session's program runs from: made fresh for each session, removed with
// everything in it afterwards. The program keeps its settings file there.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

class ProgramFolder {
  public:
    // A folder named "lumivex-<kind>-…" under the system's temporary folder.
    explicit ProgramFolder(const std::string& kind);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The program file's path in it, as the backend reports the module's path; its UTF-8 bytes.
    std::string ModulePath(const std::string& program) const;

    std::filesystem::path SettingsPath() const { return path_ / "config.set"; }
    std::vector<std::uint8_t> ReadSettings() const;
    void WriteSettings(const std::vector<std::uint8_t>& bytes) const;

  private:
    std::filesystem::path path_;
};

} // namespace testing_support
