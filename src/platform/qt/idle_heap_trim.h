#pragma once
// Input faster than the program draws (a key storm, a key held down) piles up in Qt's event
// queue; once handled, the C library keeps the freed memory for itself, and a program left
// running for days would stay at the size of its largest backlog. A second after the input
// stops, the freed memory is given back to the system.

#include <QObject>
#include <QTimer>

namespace qtbackend {

class IdleHeapTrim : public QObject {
  public:
    IdleHeapTrim();
    // Input arrived: the trim waits for a quiet second.
    void InputArrived();

  private:
    QTimer timer_;
};

} // namespace qtbackend
