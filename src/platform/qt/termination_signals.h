#pragma once
// SIGTERM, SIGINT and SIGHUP end the program the way the window system's close does, so the
// settings are saved as on Escape instead of being lost with the process.

#include <QObject>

class QSocketNotifier;

namespace qtbackend {

class Backend;

class TerminationSignals : public QObject {
  public:
    explicit TerminationSignals(Backend& backend);
    ~TerminationSignals() override;

  private:
    Backend& backend_;
    int fds_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace qtbackend
