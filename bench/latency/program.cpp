#include "program.h"

#include <csignal>
#include <fstream>
#include <stdexcept>
#include <thread>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace latency {

namespace fs = std::filesystem;

ProgramRun::ProgramRun(const fs::path& binary, const fs::path& dir) : dir_(dir) {
    fs::create_directories(dir_ / "app");
    fs::create_directories(dir_ / "home");
    fs::create_directories(dir_ / "run");
    fs::permissions(dir_ / "run", fs::perms::owner_all, fs::perm_options::replace);
    fs::copy_file(binary, dir_ / "app" / "lumivex", fs::copy_options::overwrite_existing);
}

ProgramRun::~ProgramRun() {
    Kill();
}

void ProgramRun::Start() {
    Kill();
    fs::remove(dir_ / "app" / "config.set");
    const std::string app = (dir_ / "app").string();
    const std::string exe = (dir_ / "app" / "lumivex").string();
    const std::string home = (dir_ / "home").string();
    const std::string run = (dir_ / "run").string();
    const std::string log = (dir_ / "lumivex.log").string();
    const pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        // Never outlive the benchmark, whatever becomes of it.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (chdir(app.c_str()) != 0) {
            _exit(127);
        }
        if (FILE* out = std::freopen(log.c_str(), "a", stdout)) {
            dup2(fileno(out), STDERR_FILENO);
        }
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    pid_ = pid;
}

bool ProgramRun::Running() {
    if (pid_ <= 0) {
        return false;
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
    }
    return true;
}

bool ProgramRun::WaitForExit(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (pid_ > 0) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        if (std::chrono::steady_clock::now() >= end) {
            Kill();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

void ProgramRun::Kill() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }
}

double ProcessCpuMs(pid_t pid) {
    // The scheduler's own account, in nanoseconds, per thread.
    double ms = 0;
    std::error_code error;
    for (const auto& task :
         fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream in(task.path() / "schedstat");
        long long ns = 0;
        if (in >> ns) {
            ms += ns / 1e6;
        }
    }
    return ms;
}

pid_t XServerPid(const std::string& display) {
    const auto colon = display.find(':');
    if (colon == std::string::npos) {
        return -1;
    }
    const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
    std::ifstream lock("/tmp/.X" + number + "-lock");
    pid_t pid = -1;
    if (!(lock >> pid) || pid <= 0) {
        return -1;
    }
    return pid;
}

double ProgramRun::CpuMs() const {
    return pid_ > 0 ? ProcessCpuMs(pid_) : 0;
}

Memory ProgramRun::MemoryNow() const {
    Memory m;
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:" && status >> value) {
            m.residentKb = value;
        } else if (key == "VmHWM:" && status >> value) {
            m.peakKb = value;
        }
    }
    if (!m.residentKb) {
        throw std::runtime_error("cannot read the program's memory from /proc");
    }
    return m;
}

} // namespace latency
