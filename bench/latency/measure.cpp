#include "measure.h"

#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <thread>

namespace latency {

namespace {

double MsSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

long long Microseconds(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::microseconds>(t.time_since_epoch()).count();
}

} // namespace

double Measurer::WaitFor(const Probe& probe, Clock::time_point since) {
    const Clock::time_point end = since + pacing_.timeout;
    // One round trip per look: the server answers between the requests of the program, as it
    // would answer a compositor or a screen reader.
    while (x_.Pixel(probe.x, probe.y) != probe.pixel) {
        if (Clock::now() >= end) {
            return -1;
        }
    }
    return MsSince(since);
}

bool Measurer::Shows(const Transition& t) {
    if (x_.Pixel(t.last.x, t.last.y) != t.last.pixel) {
        return false;
    }
    for (const Probe& p : t.more) {
        if (x_.Pixel(p.x, p.y) != p.pixel) {
            return false;
        }
    }
    return true;
}

void Measurer::WaitForFrame(const Transition& t, const std::string& what) {
    const Clock::time_point end = Clock::now() + std::chrono::seconds(10);
    while (!Shows(t)) {
        if (Clock::now() >= end) {
            char probe[96];
            std::snprintf(probe, sizeof probe, " (pixel %d,%d shows %06X, not %06X)", t.last.x,
                          t.last.y, x_.Pixel(t.last.x, t.last.y), t.last.pixel);
            throw std::runtime_error("timed out waiting for " + what + " on the screen" + probe);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void Measurer::Launch(ProgramRun& program) {
    program.Start();
    WaitForFrame(startScreen_, "the start screen");
    // Keys sent before the window has the keyboard could go elsewhere.
    if (!x_.WaitForFocus(std::chrono::seconds(5))) {
        std::cerr << "lumivex_latency: no window took the keyboard focus; keys go where the "
                     "pointer is\n";
    }
    x_.WaitForQuiet(std::chrono::milliseconds(100), std::chrono::seconds(2));
}

void Measurer::Quit(ProgramRun& program) {
    x_.KeyDown("Escape");
    x_.KeyUp("Escape");
    if (!program.WaitForExit(std::chrono::seconds(10))) {
        throw std::runtime_error("the program did not end cleanly on Escape");
    }
}

void Measurer::Do(const Action& action) {
    if (action.IsClick()) {
        // Clicks a quarter of the screen apart, so that two in a row are not a double click.
        const int x = (clicks_++ % 2 ? 3 : 1) * x_.Width() / 4;
        x_.Click(x, x_.Height() / 2, 3);
    } else {
        x_.KeyDown(action.key);
    }
}

void Measurer::Undo(const Action& action) {
    if (!action.IsClick()) {
        x_.KeyUp(action.key);
    }
}

void Measurer::PacedKey(const std::string& key) {
    x_.ResetDamage();
    x_.KeyDown(key);
    if (!x_.WaitForDamage(pacing_.timeout)) {
        // No damage extension (or nothing drawn): give the program time instead.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    x_.KeyUp(key);
    x_.WaitForQuiet(pacing_.gap, std::chrono::seconds(1));
}

double Measurer::StartUp(ProgramRun& program) {
    // The screen must be back to the bare root window first.
    const Clock::time_point bare = Clock::now() + std::chrono::seconds(5);
    while (x_.Pixel(startScreen_.last.x, startScreen_.last.y) == startScreen_.last.pixel) {
        if (Clock::now() >= bare) {
            throw std::runtime_error("something else shows the start screen's pixels");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const Clock::time_point t0 = Clock::now();
    program.Start();
    // The probe that changes last first, then the whole set: the frame is complete.
    while (x_.Pixel(startScreen_.last.x, startScreen_.last.y) != startScreen_.last.pixel ||
           !Shows(startScreen_)) {
        if (MsSince(t0) > 10000) {
            throw std::runtime_error("the start screen did not show within 10 s");
        }
    }
    const double ms = MsSince(t0);
    x_.WaitForQuiet(std::chrono::milliseconds(100), std::chrono::seconds(2));
    Quit(program);
    return ms;
}

PressTimes Measurer::Presses(ProgramRun& program, const FramePair& pair, const Transition& toTarget,
                             const Transition& toPartner, int presses) {
    Launch(program);
    for (const std::string& key : pair.setupKeys) {
        PacedKey(key);
    }
    WaitForFrame(toPartner, pair.partner);
    x_.WaitForQuiet(std::chrono::milliseconds(50), std::chrono::seconds(2));

    PressTimes times;
    const double programCpu = program.CpuMs();
    const double serverCpu = server_ > 0 ? ProcessCpuMs(server_) : 0;
    for (int i = 0; i < 2 * presses; ++i) {
        const bool target = i % 2 == 0;
        const Action& action = target ? pair.toTarget : pair.toPartner;
        const Transition& expect = target ? toTarget : toPartner;
        const Clock::time_point t0 = Clock::now();
        Do(action);
        const double ms = WaitFor(expect.last, t0);
        Undo(action);
        if (log_) {
            *log_ << pair.label << (target ? "" : " partner") << '\t' << Microseconds(t0) << '\t'
                  << (ms < 0 ? -1 : Microseconds(t0) + static_cast<long long>(ms * 1000)) << '\n';
        }
        if (ms < 0) {
            ++times.timeouts;
            WaitForFrame(expect, target ? pair.target : pair.partner);
        } else {
            (target ? times.toTargetMs : times.toPartnerMs).push_back(ms);
            if (!Shows(expect)) {
                ++times.incomplete;
                WaitForFrame(expect, target ? pair.target : pair.partner);
            }
        }
        std::this_thread::sleep_for(pacing_.gap);
    }
    times.programCpuMs = (program.CpuMs() - programCpu) / (2 * presses);
    if (server_ > 0) {
        times.serverCpuMs = (ProcessCpuMs(server_) - serverCpu) / (2 * presses);
    }
    Quit(program);
    return times;
}

MemoryTrace Measurer::Memory(ProgramRun& program, int patterns, int presses) {
    Launch(program);
    MemoryTrace trace;
    // Digit 0 shows the first pattern; Left steps to the next one, and once more at the last.
    auto keyAt = [patterns](int i) { return i % patterns == 0 ? std::string("0") : "Left"; };
    for (int i = 0; i < presses; ++i) {
        PacedKey(keyAt(i));
        trace.presses = i + 1;
        if (trace.presses == patterns) {
            trace.afterWalk = program.MemoryNow();
        }
        if (trace.presses == 100) {
            trace.after100 = program.MemoryNow();
        }
    }
    trace.afterAll = program.MemoryNow();
    Quit(program);
    return trace;
}

} // namespace latency
