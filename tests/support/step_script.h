#pragma once
// The script of a test session on a real window system: actions and waits that run one after
// the other while the program's own message loops run. The backend's session decides when to
// look at the script next (a timer, a message); the script decides what is due.

#include <chrono>
#include <deque>
#include <functional>
#include <string>

namespace testing_support {

class StepScript {
  public:
    void Do(std::function<void()> step);
    void WaitUntil(std::function<bool()> condition, std::string what);

    enum class Next {
        Over,     // nothing left
        Waiting,  // the first step waits for a condition that does not hold yet
        TimedOut, // ... for too long: a test failure is recorded and the script is dropped
        Ready,    // the first step is taken: run `action` (empty when a wait was over)
    };
    Next Take(std::function<void()>& action);

    std::size_t Left() const { return steps_.size(); }
    void Clear() { steps_.clear(); }

  private:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> action;
        std::string what;
    };
    std::deque<Step> steps_;
    std::chrono::steady_clock::time_point waitingSince_;
    bool waiting_ = false;
};

} // namespace testing_support
