#include "platform/win32/application.h"

#include "platform/win32/native/native.h"
#include "platform/win32/win32_backend.h"

namespace win32backend {

Application::Application() {
    win32native::DeclareDpiAwareness();
    backend_ = std::make_unique<win32backend::Backend>();
}

Application::~Application() = default;

bool Application::Ok() const {
    return backend_->Ok();
}

windowing::Backend& Application::Backend() {
    return *backend_;
}

std::vector<std::string> Application::Arguments() {
    return win32native::CommandLineArguments();
}

void Application::UseParentConsole() {
    win32native::AttachParentConsole();
}

std::string Application::UserUiLocale() {
    return win32native::UserUiLocale();
}

} // namespace win32backend
