#pragma once
// A dialog with a title bar (the About box, the selection dialog): a fixed-size top-level window
// with a close box and no minimise, maximise or sizing, modal while its loop runs, whose
// controls are Qt widgets built from the template.

#include "platform/qt/top_level_widget.h"

namespace qtbackend {

class DialogWindow : public TopLevelWidget {
  public:
    DialogWindow(Backend& backend, windowing::Window* w);

  protected:
    void ApplyShowState() override;
    // The dialog goes away: like the platform, it gives the activation back to its owner.
    void Withdraw() override;
};

} // namespace qtbackend
