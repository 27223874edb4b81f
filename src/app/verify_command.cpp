#include "app/verify_command.h"

#include "app/frame_run_dlg.h"
#include "app/lumivex_app.h"
#include "app/option_values.h"
#include "app/pattern_names.h"
#include "app/screen_check.h"
#include "platform/windowing/backend.h"
#include "platform/windowing/window.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iomanip>
#include <ostream>
#include <set>
#include <thread>

namespace {

// A frame that differs may only not have reached the screen yet (a compositor draws the screen a
// little later): it is looked at again a few times before it counts. Once one still differs
// after that, the difference is taken to be lasting and the rest get one look each.
constexpr int kExtraLooks = 3;
constexpr auto kLookPause = std::chrono::milliseconds(50);

// For the tests of the check itself: LUMIVEX_VERIFY_PAUSE_MS keeps each new frame on the screen
// that long before it is read back, so that a script can put another window in front or resize
// the program's window while the check runs.
std::chrono::milliseconds PauseBeforeReading() {
    const char* value = std::getenv("LUMIVEX_VERIFY_PAUSE_MS");
    const int ms = value ? std::atoi(value) : 0;
    return std::chrono::milliseconds(std::clamp(ms, 0, 10000));
}

std::string Size(const RECT& r) {
    return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top);
}

std::string Place(const RECT& r) {
    return Size(r) + " at (" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")";
}

class CVerifyDlg : public CFrameRunDlg {
  public:
    CVerifyDlg(std::ostream& out, std::string source) : out_(out), source_(std::move(source)) {}

    int frames = 0;
    int differing = 0;
    std::string readError;
    std::set<std::string> alterations;
    std::optional<RECT> uncovered; // the window's place when it did not cover the monitor
    windowing::Monitor monitor;

  protected:
    std::vector<Shot> Plan() override {
        monitor = windowing::MonitorOfWindow(m_hWnd);
        std::vector<Shot> shots(1); // the start screen, on the screen already
        for (const std::int32_t id : Playlist()) {
            Shot shot;
            shot.pattern = id;
            shots.push_back(shot);
        }
        out_ << "Checking the start screen and " << shots.size() - 1 << " pattern"
             << (shots.size() == 2 ? "" : "s") << " on monitor "
             << (monitor.name.empty() ? "-" : monitor.name) << " (" << Place(monitor.rect)
             << ") against " << source_ << "\n"
             << std::flush;
        return shots;
    }

    Verdict Examine(const Shot& shot, const gdi::Surface& drawn) override {
        if (looks_ == 0) {
            expected_ = drawn;
            std::this_thread::sleep_for(pause_);
        }
        windowing::ScreenPixels screen = windowing::CurrentBackend()->ReadScreen(monitor.rect);
        if (!screen.error.empty()) {
            readError = screen.error;
            return Verdict::Stop;
        }
        const RECT client = m_hWnd->ScreenRect();
        const ScreenComparison c =
            CompareWithScreen(screen.pixels, expected_, client.left - monitor.rect.left,
                              client.top - monitor.rect.top);
        if (!c.Exact() && lookAgain_ && looks_ < kExtraLooks) {
            ++looks_;
            std::this_thread::sleep_for(kLookPause);
            return Verdict::Again;
        }
        if (!c.Exact()) {
            lookAgain_ = false;
            ++differing;
        }
        looks_ = 0;
        ++frames;
        alterations.insert(screen.alterations.begin(), screen.alterations.end());
        const RECT shown{client.left, client.top, client.left + expected_.Width(),
                         client.top + expected_.Height()};
        if (shown.left != monitor.rect.left || shown.top != monitor.rect.top ||
            shown.right != monitor.rect.right || shown.bottom != monitor.rect.bottom) {
            uncovered = shown;
        }
        const int id = shot.pattern.value_or(-1);
        out_ << std::setw(5) << (shot.pattern ? std::to_string(id) : std::string("start")) << "  "
             << PatternTitle(id) << ": " << DescribeComparison(c) << "\n"
             << std::flush;
        return Verdict::Next;
    }

  private:
    std::ostream& out_;
    std::string source_;
    gdi::Surface expected_;
    int looks_ = 0;
    bool lookAgain_ = true;
    const std::chrono::milliseconds pause_ = PauseBeforeReading();
};

} // namespace

bool WantsVerify(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--verify") {
            return true;
        }
    }
    return false;
}

int RunVerify(std::ostream& out, std::ostream& err) {
    windowing::Backend* backend = windowing::CurrentBackend();
    const windowing::Monitor primary = windowing::PrimaryMonitor();
    const RECT probeArea{primary.rect.left, primary.rect.top, primary.rect.left + 1,
                         primary.rect.top + 1};
    const windowing::ScreenPixels probe =
        backend ? backend->ReadScreen(probeArea)
                : windowing::ScreenPixels{{}, "there is no window system", {}, {}};
    if (!probe.error.empty()) {
        err << "lumivex: --verify is not available: " << probe.error << "\n";
        return 2;
    }
    int frames = 0, differing = 0;
    bool completed = false;
    std::string readError;
    std::set<std::string> alterations;
    std::optional<RECT> uncovered;
    windowing::Monitor monitor;
    {
        CVerifyDlg dlg(out, probe.source);
        dlg.Run();
        completed = dlg.Completed();
        frames = dlg.frames;
        differing = dlg.differing;
        readError = dlg.readError;
        alterations = dlg.alterations;
        uncovered = dlg.uncovered;
        monitor = dlg.monitor;
    }
    if (!readError.empty()) {
        err << "lumivex: cannot read back the screen: " << readError << "\n";
    }
    if (uncovered) {
        out << "The window (" << Place(*uncovered) << ") does not cover its monitor ("
            << Place(monitor.rect) << ").\n";
    }
    for (const std::string& a : alterations) {
        out << "The window system changes the pixels on their way to the monitor: " << a << ".\n";
    }
    if (!completed) {
        out << "The check ended after " << frames << " frame" << (frames == 1 ? "" : "s")
            << ": not every pattern was checked.\n";
        return 1;
    }
    if (differing > 0) {
        out << differing << " of " << frames << " frames differ from what the program drew.\n";
        return 1;
    }
    out << "All " << frames << " frames are exact on the screen.\n";
    return alterations.empty() ? 0 : 1;
}
