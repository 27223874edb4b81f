// The program on Windows: the same start as on Linux, with the Win32 backend.

#include "app/command_line.h"
#include "app/lumivex_app.h"
#include "app/screen_options.h"
#include "platform/base/ui_language.h"
#include "platform/win32/application.h"
#include "res/register.h"

#include <iostream>
#include <string>
#include <vector>

int main() {
    // The user's interface language; --language, read with the other options, overrides it.
    res::RegisterResources(base::LanguageOfLocale(win32backend::Application::UserUiLocale()));
    // The arguments as the system has them, in UTF-8, rather than in the ANSI code page.
    const std::vector<std::string> arguments = win32backend::Application::Arguments();
    std::vector<const char*> argv;
    for (const std::string& a : arguments) {
        argv.push_back(a.c_str());
    }
    if (argv.size() > 1) {
        win32backend::Application::UseParentConsole();
    }
    if (const std::optional<int> code =
            HandleCommandLine(static_cast<int>(argv.size()), argv.data(), std::cout, std::cerr)) {
        return *code;
    }
    win32backend::Application app;
    if (!app.Ok()) {
        std::cerr << "lumivex: the window system could not be set up\n";
        return 1;
    }
    theApp.SetBackend(&app.Backend());
    if (const std::optional<int> code =
            ApplyScreenOptions(static_cast<int>(argv.size()), argv.data(), std::cout, std::cerr)) {
        theApp.SetBackend(nullptr);
        return *code;
    }
    theApp.InitInstance();
    theApp.SetBackend(nullptr);
    return 0;
}
