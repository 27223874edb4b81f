#include "platform/qt/termination_signals.h"

#include "platform/qt/qt_backend.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qtbackend {

namespace {

// A signal handler may only write to a descriptor; the event loop reads the other end. This is
// the one piece of process-wide state the handler needs.
int signalWriteFd = -1;

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalWriteFd, &byte, 1);
}

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

} // namespace

TerminationSignals::TerminationSignals(Backend& backend) : backend_(backend) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds_) != 0) {
        fds_[0] = fds_[1] = -1;
        return;
    }
    ::fcntl(fds_[1], F_SETFL, O_NONBLOCK);
    signalWriteFd = fds_[1];
    notifier_ = new QSocketNotifier(fds_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        [[maybe_unused]] const ssize_t n = ::read(fds_[0], buffer, sizeof buffer);
        backend_.EndSession();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : kSignals) {
        ::sigaction(s, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    if (fds_[0] < 0) {
        return;
    }
    for (int s : kSignals) {
        ::signal(s, SIG_DFL);
    }
    signalWriteFd = -1;
    delete notifier_;
    ::close(fds_[0]);
    ::close(fds_[1]);
}

} // namespace qtbackend
