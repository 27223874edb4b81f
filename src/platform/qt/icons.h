#pragma once
// The program's icons (pixels and a transparency mask) as Qt images and window icons.

#include "platform/windowing/window.h"

#include <QIcon>
#include <QImage>

namespace qtbackend {

QImage IconImage(const IconData& icon);
QIcon WindowIcon(HICON big, HICON small);

} // namespace qtbackend
