#include "support/step_script.h"

#include <gtest/gtest.h>

namespace testing_support {

namespace {

constexpr auto kStepTimeout = std::chrono::seconds(10);

} // namespace

void StepScript::Do(std::function<void()> step) {
    steps_.push_back(Step{nullptr, std::move(step), {}});
}

void StepScript::WaitUntil(std::function<bool()> condition, std::string what) {
    steps_.push_back(Step{std::move(condition), nullptr, std::move(what)});
}

StepScript::Next StepScript::Take(std::function<void()>& action) {
    action = nullptr;
    if (steps_.empty()) {
        return Next::Over;
    }
    Step& step = steps_.front();
    if (step.ready && !step.ready()) {
        const auto now = std::chrono::steady_clock::now();
        if (!waiting_) {
            waiting_ = true;
            waitingSince_ = now;
        }
        if (now - waitingSince_ <= kStepTimeout) {
            return Next::Waiting;
        }
        ADD_FAILURE() << "timed out waiting until " << step.what;
        steps_.clear();
        waiting_ = false;
        return Next::TimedOut;
    }
    waiting_ = false;
    action = std::move(step.action);
    steps_.pop_front();
    return Next::Ready;
}

} // namespace testing_support
