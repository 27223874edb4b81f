#include "support/program_folder.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace testing_support {

namespace {

int ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

} // namespace

ProgramFolder::ProgramFolder(const std::string& kind) {
    // The process id keeps test binaries that run side by side apart; the counter, the sessions
    // of one binary. A folder left over by a crashed run of the same id is started afresh.
    static int counter = 0;
    path_ =
        std::filesystem::temp_directory_path() /
        ("lumivex-" + kind + "-" + std::to_string(ProcessId()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    if (!std::filesystem::create_directories(path_)) {
        throw std::runtime_error("cannot make the test folder " + path_.string());
    }
}

ProgramFolder::~ProgramFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string ProgramFolder::ModulePath(const std::string& program) const {
    const std::u8string s = (path_ / program).u8string();
    return std::string(s.begin(), s.end());
}

std::vector<std::uint8_t> ProgramFolder::ReadSettings() const {
    std::ifstream in(SettingsPath(), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void ProgramFolder::WriteSettings(const std::vector<std::uint8_t>& bytes) const {
    std::ofstream out(SettingsPath(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + SettingsPath().string());
    }
}

} // namespace testing_support
