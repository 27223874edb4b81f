#pragma once
// The measurements themselves: start-up to the first frame on the screen, key (or click) to the
// new frame on the screen, and the program's memory over many presses.

#include "frames.h"
#include "program.h"
#include "x_display.h"

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

namespace latency {

// A key by its X keysym name, or a right click when key is empty.
struct Action {
    std::string key;
    bool IsClick() const { return key.empty(); }
};

// Presses alternate between two frames: the one measured (target) and a partner.
struct FramePair {
    std::string label;                  // how the report names the target
    std::vector<std::string> setupKeys; // from a fresh start to the partner frame
    Action toTarget;
    Action toPartner;
    std::string target; // frame names as the frame writer writes them
    std::string partner;
};

struct Pacing {
    std::chrono::milliseconds gap{15}; // after a frame arrived, before the next press
    std::chrono::milliseconds timeout{3000};
};

struct PressTimes {
    std::vector<double> toTargetMs;
    std::vector<double> toPartnerMs;
    int timeouts = 0;   // frames that never showed
    int incomplete = 0; // frames whose other probe pixels did not match
    // Processor time per press, both directions; the server's includes answering the probes.
    double programCpuMs = 0;
    double serverCpuMs = -1; // -1: the server's process is unknown
};

struct MemoryTrace {
    Memory afterWalk; // every pattern shown once
    Memory after100;
    Memory afterAll;
    int presses = 0;
};

class Measurer {
  public:
    // server: the X server's process, for its processor time; -1 when unknown.
    Measurer(XDisplay& x, const Transition& startScreen, Pacing pacing, pid_t server)
        : x_(x), startScreen_(startScreen), pacing_(pacing), server_(server) {}

    // Every press from now on gets a line in log: what was measured, and when the press was
    // sent and the frame seen, in microseconds of the monotonic clock, for lining them up with
    // traces of the program or the server.
    void LogTo(std::ostream* log) { log_ = log; }

    // Milliseconds from starting the process to the whole start screen on the screen.
    double StartUp(ProgramRun& program);

    PressTimes Presses(ProgramRun& program, const FramePair& pair, const Transition& toTarget,
                       const Transition& toPartner, int presses);

    // Walks every pattern, then keeps stepping through them until presses keys were pressed.
    MemoryTrace Memory(ProgramRun& program, int patterns, int presses);

  private:
    void Launch(ProgramRun& program);
    void Quit(ProgramRun& program);
    void Do(const Action& action);
    void Undo(const Action& action);
    // Milliseconds until the probe shows its pixel; negative on timeout.
    double WaitFor(const Probe& probe, Clock::time_point since);
    bool Shows(const Transition& t);
    void WaitForFrame(const Transition& t, const std::string& what);
    void PacedKey(const std::string& key);

    XDisplay& x_;
    const Transition& startScreen_;
    Pacing pacing_;
    pid_t server_;
    std::ostream* log_ = nullptr;
    int clicks_ = 0;
};

} // namespace latency
