#include "app/command_line.h"
#include "app/language_option.h"
#include "app/lumivex_app.h"
#include "app/screen_options.h"
#include "platform/qt/application.h"
#include "res/register.h"

#include <iostream>

int main(int argc, char** argv) {
    res::RegisterResources(LanguageFromEnvironment());
    if (const std::optional<int> code = HandleCommandLine(argc, argv, std::cout, std::cerr)) {
        return *code;
    }
    qtbackend::Application qt(argc, argv);
    theApp.SetBackend(&qt.Backend());
    if (const std::optional<int> code = ApplyScreenOptions(argc, argv, std::cout, std::cerr)) {
        theApp.SetBackend(nullptr);
        return *code;
    }
    theApp.InitInstance();
    theApp.SetBackend(nullptr);
    return 0;
}
