#include "app/lumivex_app.h"
#include "platform/qt/application.h"

int main(int argc, char** argv) {
    qtbackend::Application qt(argc, argv);
    theApp.SetBackend(&qt.Backend());
    theApp.InitInstance();
    theApp.SetBackend(nullptr);
    return 0;
}
