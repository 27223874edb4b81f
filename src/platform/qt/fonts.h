#pragma once
// The font a dialog's controls are drawn with, from the font and the language its template names.

#include "platform/windowing/dialog_template.h"

#include <QFont>
#include <QStringList>

namespace qtbackend {

// Families that cover Chinese, tried after the template's own face for every glyph it lacks.
QStringList ChineseFallbackFamilies();

// The platform's usual face for the texts of dialogs and menus: the face fontconfig gives for
// "sans-serif" (DejaVu Sans, Liberation Sans, ...).
QString UiFamily();

// The font at the template's point size at 96 pixels per inch, in logical pixels for the given
// device pixel ratio. Chinese (and language-neutral) templates are drawn in the face they name:
// "System" is the platform's stock font, which the drawing layer stands in for with Liberation
// Sans. Templates in other languages are drawn in the UI face. The Chinese faces follow as
// fallbacks either way.
QFont DialogFont(const windowing::DialogTemplate& t, qreal ratio);

} // namespace qtbackend
