#pragma once
// One run of the real program: started from a copy of its binary in a directory of its own (its
// settings file lives beside the executable, so every run starts without one), with a home and
// runtime directory of its own, on the X server of DISPLAY.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include <sys/types.h>

namespace latency {

// Processor time process pid has used so far, all threads, in milliseconds; 0 when it is gone.
double ProcessCpuMs(pid_t pid);
// The process of the X server on display name (":N"), from its lock file; -1 when unknown.
pid_t XServerPid(const std::string& display);

struct Memory {
    long residentKb = 0; // VmRSS
    long peakKb = 0;     // VmHWM
};

class ProgramRun {
  public:
    // Copies binary into dir (created) once; every Start begins without a settings file.
    ProgramRun(const std::filesystem::path& binary, const std::filesystem::path& dir);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    void Start();
    bool Running();
    // Waits up to timeout for the program to end by itself; kills it after that. True when it
    // ended by itself with status 0.
    bool WaitForExit(std::chrono::milliseconds timeout);
    void Kill();
    // The program's memory now, from /proc.
    Memory MemoryNow() const;
    // Processor time the program has used so far, all threads, in milliseconds.
    double CpuMs() const;

  private:
    std::filesystem::path dir_;
    pid_t pid_ = -1;
};

} // namespace latency
