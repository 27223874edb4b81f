#include "platform/qt/icons.h"

#include <QPixmap>

namespace qtbackend {

QImage IconImage(const IconData& icon) {
    QImage image(icon.size, icon.size, QImage::Format_ARGB32);
    for (int y = 0; y < icon.size; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < icon.size; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * icon.size + x;
            row[x] = icon.mask[i] ? 0u : (0xFF000000u | icon.pixels[i]);
        }
    }
    return image;
}

QIcon WindowIcon(HICON big, HICON small) {
    QIcon icon;
    for (HICON i : {big, small}) {
        if (i && i->size > 0) {
            icon.addPixmap(QPixmap::fromImage(IconImage(*i)));
        }
    }
    return icon;
}

} // namespace qtbackend
