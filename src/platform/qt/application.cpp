#include "platform/qt/application.h"

#include "platform/qt/display_loss.h"
#include "platform/qt/qt_backend.h"
#include "platform/qt/termination_signals.h"

#include <QApplication>

namespace qtbackend {

void PrepareQt() {
    // The program draws in device pixels (it is DPI-aware): Qt must not scale the windows up
    // on its own account for a high-DPI screen. An explicit QT_SCALE_FACTOR still scales the
    // logical coordinates, and the backend keeps drawing one surface pixel per device pixel.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING")) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    }
    // Monitors are chosen, windows placed and the hot key grabbed through X11: on a Wayland
    // desktop the program runs through XWayland unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") &&
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && qEnvironmentVariableIsSet("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

struct Application::Parts {
    Parts(int& argc, char** argv)
        : app((PrepareQt(), WatchForDisplayLoss(), argc), argv), terminationSignals(backend) {
        QApplication::setQuitOnLastWindowClosed(false);
    }
    QApplication app;
    qtbackend::Backend backend;
    TerminationSignals terminationSignals;
};

Application::Application(int& argc, char** argv) : parts_(std::make_unique<Parts>(argc, argv)) {}

Application::~Application() = default;

windowing::Backend& Application::Backend() {
    return parts_->backend;
}

} // namespace qtbackend
