// Key-to-screen latency of the real program on an X server: start-up to the first frame, key
// (or right click) to the new frame on the screen, and memory over many presses. Run on demand
// by scripts/latency.sh, which starts the X server; see usage() for the options.

#include "frames.h"
#include "measure.h"
#include "program.h"
#include "stats.h"
#include "x_display.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace latency;

namespace {

constexpr int kPatterns = 43;

struct Options {
    std::vector<std::pair<std::string, fs::path>> programs; // label, binary
    fs::path frameWriter;
    int presses = 200;
    int rounds = 1;
    int startups = 10;
    int memoryPresses = 0;
    Pacing pacing;
    std::set<std::string> rows;
    fs::path work;
    bool keepWork = false;
    fs::path log;
    pid_t server = -1;
};

void usage() {
    std::cerr << "usage: lumivex_latency [options] [LABEL=]PROGRAM...\n"
                 "  --frame-writer PATH  headless frame writer (default: lumivex_frames beside\n"
                 "                       the first program)\n"
                 "  --presses N          presses measured per frame (default 200)\n"
                 "  --rounds N           split the presses into N rounds that take turns with\n"
                 "                       the programs (default 1)\n"
                 "  --startups N         start-up runs per program (default 10)\n"
                 "  --memory-presses N   presses of the memory check (default 0: none)\n"
                 "  --gap MS             pause after a frame before the next press (default 15)\n"
                 "  --rows LIST          frames to measure, of 0,7,13,14,37,start (default all)\n"
                 "  --work DIR           scratch directory (default: a new one, removed after)\n"
                 "  --server-pid PID     the X server's process, for its processor time (default:\n"
                 "                       from the display's lock file)\n"
                 "  --log FILE           one line per press: frame, monotonic microseconds of\n"
                 "                       the press and of the frame seen\n"
                 "Several programs are measured in turn, row by row, on the same server.\n";
}

Options Parse(int argc, char** argv) {
    Options o;
    auto number = [&](int& i) {
        if (i + 1 >= argc) {
            throw std::invalid_argument(std::string(argv[i]) + " needs a value");
        }
        return std::stoi(argv[++i]);
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--presses") {
            o.presses = number(i);
        } else if (a == "--rounds") {
            o.rounds = number(i);
        } else if (a == "--startups") {
            o.startups = number(i);
        } else if (a == "--memory-presses") {
            o.memoryPresses = number(i);
        } else if (a == "--gap") {
            o.pacing.gap = std::chrono::milliseconds(number(i));
        } else if (a == "--frame-writer" && i + 1 < argc) {
            o.frameWriter = argv[++i];
        } else if (a == "--work" && i + 1 < argc) {
            o.work = argv[++i];
            o.keepWork = true;
        } else if (a == "--server-pid") {
            o.server = number(i);
        } else if (a == "--log" && i + 1 < argc) {
            o.log = argv[++i];
        } else if (a == "--rows" && i + 1 < argc) {
            std::stringstream list(argv[++i]);
            for (std::string row; std::getline(list, row, ',');) {
                o.rows.insert(row);
            }
        } else if (a.starts_with("-")) {
            throw std::invalid_argument("unknown option " + a);
        } else {
            const auto eq = a.find('=');
            const fs::path binary = eq == std::string::npos ? a : a.substr(eq + 1);
            o.programs.emplace_back(eq == std::string::npos ? a : a.substr(0, eq), binary);
        }
    }
    if (o.programs.empty() || o.presses < 1 || o.rounds < 1 || o.rounds > o.presses ||
        o.startups < 0 || o.memoryPresses < 0) {
        throw std::invalid_argument("nothing to measure");
    }
    for (const auto& [label, binary] : o.programs) {
        if (!fs::is_regular_file(binary)) {
            throw std::invalid_argument("no program at " + binary.string());
        }
    }
    if (o.frameWriter.empty()) {
        o.frameWriter = o.programs.front().second.parent_path() / "lumivex_frames";
    }
    if (o.memoryPresses && o.memoryPresses < std::max(kPatterns, 100)) {
        throw std::invalid_argument("the memory check needs at least 100 presses");
    }
    return o;
}

std::vector<std::string> Repeat(std::vector<std::string> keys, const std::string& key, int n) {
    keys.insert(keys.end(), n, key);
    return keys;
}

// The frames measured, each against a neighbour: Right steps back to the target, Left forward
// to the partner. The start screen alternates a right click with digit 0.
std::vector<FramePair> Pairs() {
    return {
        {"pattern 0", {"1"}, {"Right"}, {"Left"}, "p0", "p1"},
        {"pattern 7", {"8"}, {"Right"}, {"Left"}, "p7", "p8"},
        {"pattern 13", Repeat({"9"}, "Left", 5), {"Right"}, {"Left"}, "p13", "p14"},
        {"pattern 14", Repeat({"9"}, "Left", 6), {"Right"}, {"Left"}, "p14", "p15"},
        {"pattern 37", Repeat({"9"}, "Left", 29), {"Right"}, {"Left"}, "p37", "p38"},
        {"start screen", {"0"}, {""}, {"0"}, "start_rclick", "p0"},
    };
}

std::string RowKey(const FramePair& p) {
    return p.label == "start screen" ? "start" : p.label.substr(p.label.find(' ') + 1);
}

// The frame writer's script that writes every frame the pairs name, and the start screen.
std::vector<std::string> FrameSteps() {
    std::vector<std::string> s = {"=start", "0",   "=p0", "rclick", "=start_rclick", "1", "=p1",
                                  "7",      "=p7", "8",   "=p8"};
    s = Repeat(Repeat(s, "9", 1), "Left", 4);
    s.insert(s.end(), {"=p13", "Left", "=p14", "Left", "=p15"});
    s = Repeat(s, "Left", 22);
    s.insert(s.end(), {"=p37", "Left", "=p38"});
    return s;
}

// Adds a round's presses to the ones before; processor times are per press.
void Merge(PressTimes& into, const PressTimes& round) {
    const auto before = static_cast<double>(into.toTargetMs.size() + into.toPartnerMs.size());
    const auto added = static_cast<double>(round.toTargetMs.size() + round.toPartnerMs.size());
    const double total = std::max(before + added, 1.0);
    into.programCpuMs = (into.programCpuMs * before + round.programCpuMs * added) / total;
    into.serverCpuMs =
        round.serverCpuMs < 0
            ? -1
            : (std::max(into.serverCpuMs, 0.0) * before + round.serverCpuMs * added) / total;
    into.toTargetMs.insert(into.toTargetMs.end(), round.toTargetMs.begin(), round.toTargetMs.end());
    into.toPartnerMs.insert(into.toPartnerMs.end(), round.toPartnerMs.begin(),
                            round.toPartnerMs.end());
    into.timeouts += round.timeouts;
    into.incomplete += round.incomplete;
}

std::string Fixed(double v, int width = 8) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%*.2f", width, v);
    return buf;
}

std::string Mb(long kb) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%8.1f", kb / 1024.0);
    return buf;
}

int Run(const Options& o) {
    XDisplay x;
    const int w = x.Width();
    const int h = x.Height();
    std::cerr << "measuring on " << x.Name() << " at " << w << "x" << h << "\n";

    const fs::path framesDir = o.work / "frames";
    WriteFrames(o.frameWriter, w, h, framesDir, FrameSteps());
    auto frame = [&](const std::string& name) { return Frame::Read(framesDir / (name + ".ppm")); };
    const Transition startScreen = Between(Frame::Solid(w, h, 0), frame("start"));
    std::vector<FramePair> pairs;
    std::map<std::string, std::pair<Transition, Transition>> probes; // to target, to partner
    for (const FramePair& p : Pairs()) {
        if (!o.rows.empty() && !o.rows.contains(RowKey(p))) {
            continue;
        }
        const Frame target = frame(p.target);
        const Frame partner = frame(p.partner);
        probes[p.label] = {Between(partner, target), Between(target, partner)};
        pairs.push_back(p);
    }
    fs::remove_all(framesDir);

    std::vector<std::unique_ptr<ProgramRun>> runs;
    for (std::size_t i = 0; i < o.programs.size(); ++i) {
        runs.push_back(std::make_unique<ProgramRun>(o.programs[i].second,
                                                    o.work / ("program" + std::to_string(i))));
    }
    Measurer m(x, startScreen, o.pacing, o.server > 0 ? o.server : XServerPid(x.Name()));
    std::ofstream log;
    if (!o.log.empty()) {
        log.open(o.log);
        if (!log) {
            throw std::runtime_error("cannot write " + o.log.string());
        }
        m.LogTo(&log);
    }
    const std::size_t n = runs.size();

    std::vector<std::vector<double>> startup(n);
    if (o.startups > 0) {
        for (auto& r : runs) {
            m.StartUp(*r); // the first start reads the libraries from disk
        }
        for (int i = 0; i < o.startups; ++i) {
            for (std::size_t k = 0; k < n; ++k) {
                startup[k].push_back(m.StartUp(*runs[k]));
            }
        }
        std::cerr << "start-up measured\n";
    }

    // Rounds take turns with the programs, so that a change in the machine's load meets all.
    std::vector<std::vector<PressTimes>> presses(pairs.size(), std::vector<PressTimes>(n));
    for (int round = 0; round < o.rounds; ++round) {
        const int count = o.presses / o.rounds + (round < o.presses % o.rounds ? 1 : 0);
        for (std::size_t r = 0; r < pairs.size(); ++r) {
            for (std::size_t k = 0; k < n; ++k) {
                const auto& [toTarget, toPartner] = probes[pairs[r].label];
                Merge(presses[r][k], m.Presses(*runs[k], pairs[r], toTarget, toPartner, count));
            }
        }
        std::cerr << "round " << round + 1 << " of " << o.rounds << " measured\n";
    }

    std::vector<MemoryTrace> memory(n);
    if (o.memoryPresses) {
        for (std::size_t k = 0; k < n; ++k) {
            memory[k] = m.Memory(*runs[k], kPatterns, o.memoryPresses);
        }
        std::cerr << "memory measured\n";
    }

    std::size_t labelWidth = 7;
    for (const auto& [label, binary] : o.programs) {
        labelWidth = std::max(labelWidth, label.size());
    }
    auto label = [&](std::size_t k) {
        std::string l = o.programs[k].first;
        return l + std::string(labelWidth - l.size(), ' ');
    };
    const std::string pad(labelWidth - 7, ' ');
    std::cout << "\nLumivex on " << x.Name() << ", " << w << "x" << h << "\n";
    if (o.startups > 0) {
        std::cout << "\nStart-up: process start to the whole start screen on the screen, ms ("
                  << o.startups << " runs after one warm-up)\n"
                  << "  program" << pad << "   median     min     max\n";
        for (std::size_t k = 0; k < n; ++k) {
            const Summary s = Summarize(startup[k]);
            std::cout << "  " << label(k) << " " << Fixed(s.median) << Fixed(s.min) << Fixed(s.max)
                      << "\n";
        }
    }
    if (!pairs.empty()) {
        std::cout << "\nKey (or right click) to the new frame on the screen, ms (" << o.presses
                  << " presses each, alternating with the frame after it; " << o.pacing.gap.count()
                  << " ms pause after each frame; cpu: processor time per press of the program and"
                     " of the X server, which also answers the probes)\n"
                  << "  frame          program" << pad
                  << "   median     p95     p99     min     max  failed  cpu:program  server\n";
        for (std::size_t r = 0; r < pairs.size(); ++r) {
            for (std::size_t k = 0; k < n; ++k) {
                const PressTimes& t = presses[r][k];
                const Summary s = Summarize(t.toTargetMs);
                std::string name = k == 0 ? pairs[r].label : "";
                name.resize(14, ' ');
                std::cout << "  " << name << " " << label(k) << " " << Fixed(s.median)
                          << Fixed(s.p95) << Fixed(s.p99) << Fixed(s.min) << Fixed(s.max)
                          << std::string(8 - std::to_string(t.timeouts + t.incomplete).size(), ' ')
                          << t.timeouts + t.incomplete << "     " << Fixed(t.programCpuMs)
                          << (t.serverCpuMs < 0 ? std::string("       -") : Fixed(t.serverCpuMs))
                          << "\n";
            }
        }
    }
    if (o.memoryPresses) {
        std::cout << "\nMemory, MB (VmHWM peak, VmRSS resident) over " << o.memoryPresses
                  << " presses stepping through all " << kPatterns << " patterns\n"
                  << "  program" << pad
                  << "  peak after walk  peak at end  RSS after 100  RSS at end  growth\n";
        for (std::size_t k = 0; k < n; ++k) {
            const MemoryTrace& t = memory[k];
            std::cout << "  " << label(k) << "        " << Mb(t.afterWalk.peakKb) << "     "
                      << Mb(t.afterAll.peakKb) << "       " << Mb(t.after100.residentKb) << "    "
                      << Mb(t.afterAll.residentKb)
                      << Mb(t.afterAll.residentKb - t.after100.residentKb) << "\n";
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--help") {
        usage();
        return 0;
    }
    Options o;
    try {
        o = Parse(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "lumivex_latency: " << e.what() << "\n";
        usage();
        return 2;
    }
    bool madeWork = false;
    if (o.work.empty()) {
        char dir[] = "/tmp/lumivex-latency-XXXXXX";
        if (!mkdtemp(dir)) {
            std::cerr << "lumivex_latency: cannot make a scratch directory\n";
            return 1;
        }
        o.work = dir;
        madeWork = true;
    }
    int status = 1;
    try {
        status = Run(o);
    } catch (const std::exception& e) {
        std::cerr << "lumivex_latency: " << e.what() << "\n";
    }
    if (madeWork) {
        std::error_code ignored;
        fs::remove_all(o.work, ignored);
    }
    return status;
}
