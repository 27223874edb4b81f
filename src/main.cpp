#include "app/command_line.h"
#include "app/export_command.h"
#include "app/language_option.h"
#include "app/lumivex_app.h"
#include "app/screen_options.h"
#include "app/tg18_import.h"
#include "app/verify_command.h"
#include "platform/headless/headless_backend.h"
#include "platform/qt/application.h"
#include "res/register.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    res::RegisterResources(LanguageFromEnvironment());
    ExportEnvironment exporting;
    // Exports draw on the in-memory window system, whose executable path is empty: no settings
    // file is read or written.
    exporting.makeBackend = [](SIZE monitor) -> std::unique_ptr<windowing::Backend> {
        return std::make_unique<headless::Backend>(monitor, std::string());
    };
    exporting.progressBar = isatty(STDERR_FILENO) != 0;
    if (const std::optional<int> code =
            HandleCommandLine(argc, argv, std::cout, std::cerr, &exporting)) {
        return *code;
    }
    qtbackend::Application qt(argc, argv);
    theApp.SetBackend(&qt.Backend());
    std::optional<int> code = ApplyScreenOptions(argc, argv, std::cout, std::cerr);
    if (!code) {
        code = ImportTg18Images(argc, argv, std::cerr);
    }
    if (!code && WantsVerify(argc, argv)) {
        code = RunVerify(std::cout, std::cerr);
    }
    if (!code) {
        theApp.InitInstance();
    }
    theApp.SetBackend(nullptr);
    return code.value_or(0);
}
