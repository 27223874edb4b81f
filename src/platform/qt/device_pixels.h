#pragma once
// Window state is kept in device pixels, Qt widgets are placed in logical ones; the two differ
// by the device pixel ratio when Qt scales (QT_SCALE_FACTOR, a high-DPI screen).

#include "platform/base/types.h"

#include <QRect>
#include <QRegion>

namespace qtbackend {

// Placement of a window or control: each edge to the nearest logical pixel.
QRect LogicalGeometry(const RECT& device, qreal ratio);
// The logical area that covers a device rectangle, for repaint requests.
QRect LogicalCover(const RECT& device, qreal ratio);
// The device rectangle that covers a logical one, clipped to the client size.
RECT DeviceCover(const QRect& logical, qreal ratio, int width, int height);
QPoint DevicePoint(QPointF logical, qreal ratio);
int DeviceLength(int logical, qreal ratio);

} // namespace qtbackend
