#pragma once
// The Qt application the program runs in: set up before any window exists, with the Qt
// backend and the termination signals. main() needs nothing else from Qt.

#include <memory>

namespace windowing {
class Backend;
}

namespace qtbackend {

class Application {
  public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    windowing::Backend& Backend();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// Qt settings that must be made before the QApplication exists.
void PrepareQt();

} // namespace qtbackend
