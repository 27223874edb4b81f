#pragma once
// The Windows application the program runs in: the process set up for the window system, the
// backend, the command line in UTF-8. main() needs nothing else from Windows.

#include "platform/base/no_copy.h"

#include <memory>
#include <string>
#include <vector>

namespace windowing {
class Backend;
}

namespace win32backend {

class Backend;

class Application : private base::NoCopy {
  public:
    Application();
    ~Application();

    // False when the window system could not be set up; the reason is on the error stream.
    bool Ok() const;
    windowing::Backend& Backend();

    // The command line as the system has it (UTF-16), in UTF-8.
    static std::vector<std::string> Arguments();
    // Connects the standard streams to the console the program was started from, if any, for
    // the options that print.
    static void UseParentConsole();
    // The locale name of the user's interface language ("zh-CN"), which chooses the program's
    // texts as LC_MESSAGES does on Linux; empty when the system names none.
    static std::string UserUiLocale();

  private:
    std::unique_ptr<win32backend::Backend> backend_;
};

} // namespace win32backend
