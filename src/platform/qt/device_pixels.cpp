#include "platform/qt/device_pixels.h"

#include <algorithm>
#include <cmath>

namespace qtbackend {

QRect LogicalGeometry(const RECT& d, qreal ratio) {
    const int left = qRound(d.left / ratio);
    const int top = qRound(d.top / ratio);
    return QRect(QPoint(left, top),
                 QPoint(qRound(d.right / ratio) - 1, qRound(d.bottom / ratio) - 1));
}

QRect LogicalCover(const RECT& d, qreal ratio) {
    const int left = static_cast<int>(std::floor(d.left / ratio));
    const int top = static_cast<int>(std::floor(d.top / ratio));
    const int right = static_cast<int>(std::ceil(d.right / ratio));
    const int bottom = static_cast<int>(std::ceil(d.bottom / ratio));
    return QRect(left, top, right - left, bottom - top);
}

RECT DeviceCover(const QRect& l, qreal ratio, int width, int height) {
    RECT r{static_cast<LONG>(std::floor(l.left() * ratio)),
           static_cast<LONG>(std::floor(l.top() * ratio)),
           static_cast<LONG>(std::ceil((l.left() + l.width()) * ratio)),
           static_cast<LONG>(std::ceil((l.top() + l.height()) * ratio))};
    r.left = std::clamp<LONG>(r.left, 0, width);
    r.right = std::clamp<LONG>(r.right, 0, width);
    r.top = std::clamp<LONG>(r.top, 0, height);
    r.bottom = std::clamp<LONG>(r.bottom, 0, height);
    return r;
}

QPoint DevicePoint(QPointF logical, qreal ratio) {
    return QPoint(static_cast<int>(std::floor(logical.x() * ratio)),
                  static_cast<int>(std::floor(logical.y() * ratio)));
}

int DeviceLength(int logical, qreal ratio) {
    return qRound(logical * ratio);
}

} // namespace qtbackend
