#include "platform/qt/display_loss.h"

#include "platform/windowing/backend.h"

#include <QCoreApplication>
#include <QString>
#include <QThread>
#include <QtGlobal>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace qtbackend {

namespace {

QtMessageHandler previousHandler = nullptr;
std::atomic<bool> ending{false};

// Qt 6's X11 plugin says "The X11 connection broke (error N). Did the X11 server die?" or "The
// X11 connection broke: REASON (code N)"; a display that cannot be opened at start-up ends in
// the fatal message about the platform plugin.
bool IsConnectionLost(const QString& message) {
    return message.contains(QLatin1String("X11 connection broke"));
}
bool IsConnectionImpossible(QtMsgType type, const QString& message) {
    return type == QtFatalMsg &&
           message.contains(QLatin1String("no Qt platform plugin could be initialized"));
}

QByteArray DisplayName() {
    const QByteArray display = qgetenv("DISPLAY");
    return display.isEmpty() ? QByteArray("(DISPLAY not set)") : display;
}

[[noreturn]] void EndForLostDisplay(const QString& message) {
    if (ending.exchange(true)) {
        // A second report while the windows are saving: the first one finishes the job.
        ::_exit(kDisplayLostExitCode);
    }
    // Saving touches only files; the windows must not draw or call the window system any more.
    // Qt reports the loss on the thread that runs the windows, but a report from elsewhere must
    // not run their code concurrently.
    const bool saved = QCoreApplication::instance() &&
                       QThread::currentThread() == QCoreApplication::instance()->thread() &&
                       windowing::CurrentBackend();
    if (saved) {
        windowing::SessionEnding();
    }
    std::fprintf(stderr, "lumivex: the connection to the X display %s was lost (%s); %s\n",
                 DisplayName().constData(), message.toLocal8Bit().constData(),
                 saved ? "the settings were saved, the program ends"
                       : "the program ends without saving");
    std::fflush(nullptr);
    // Not exit(): the program's static objects are still in use further up this stack.
    ::_exit(kDisplayLostExitCode);
}

[[noreturn]] void EndForNoDisplay() {
    std::fprintf(stderr, "lumivex: cannot open the X display %s\n", DisplayName().constData());
    std::fflush(nullptr);
    ::_exit(kDisplayLostExitCode);
}

void OnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (IsConnectionLost(message)) {
        EndForLostDisplay(message);
    }
    if (previousHandler) {
        previousHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n",
                     qFormatLogMessage(type, context, message).toLocal8Bit().constData());
    }
    if (IsConnectionImpossible(type, message)) {
        EndForNoDisplay();
    }
}

} // namespace

void WatchForDisplayLoss() {
    previousHandler = qInstallMessageHandler(OnQtMessage);
}

} // namespace qtbackend
