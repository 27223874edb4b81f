#pragma once
// Qt widgets for a dialog's controls: check boxes, push buttons, text and icon statics. The
// window layer decides every state change; a widget shows the state and reports clicks.

#include "platform/windowing/window.h"

class QFont;
class QWidget;

namespace qtbackend {

QWidget* CreateControl(windowing::Window* control, QWidget* parent, const QFont& font);
// Text, check state, visibility, enabled state and place of the control's widget.
void UpdateControl(const windowing::Window* control, QWidget* widget);

} // namespace qtbackend
