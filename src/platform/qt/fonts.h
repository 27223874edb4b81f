#pragma once
// The font a dialog's controls are drawn with, from the font its template names.

#include "platform/windowing/dialog_template.h"

#include <QFont>
#include <QStringList>

namespace qtbackend {

// Families that cover Chinese, tried after the template's own face for every glyph it lacks.
QStringList ChineseFallbackFamilies();

// The template's face and point size at 96 pixels per inch, in logical pixels for the given
// device pixel ratio. "System" is the platform's stock font, which the drawing layer stands in
// for with Liberation Sans; the Chinese faces follow as fallbacks.
QFont DialogFont(const windowing::DialogTemplate& t, qreal ratio);

} // namespace qtbackend
