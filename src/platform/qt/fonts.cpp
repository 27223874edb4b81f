#include "platform/qt/fonts.h"

#include <QString>

#include <algorithm>

namespace qtbackend {

QStringList ChineseFallbackFamilies() {
    return {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("Source Han Sans SC"), QStringLiteral("Droid Sans Fallback")};
}

QFont DialogFont(const windowing::DialogTemplate& t, qreal ratio) {
    const bool system = t.faceName.empty() || t.faceName == "System";
    QStringList families;
    families << (system ? QStringLiteral("Liberation Sans") : QString::fromUtf8(t.faceName));
    families << ChineseFallbackFamilies();
    QFont font;
    font.setFamilies(families);
    const int points = t.pointSize > 0 ? t.pointSize : 9;
    const int pixels = (points * 96 + 36) / 72;
    font.setPixelSize(std::max(1, qRound(pixels / ratio)));
    if (t.weight > 0) {
        // Both use the OpenType weight scale: 400 normal, 700 bold.
        font.setWeight(static_cast<QFont::Weight>(std::clamp(t.weight, 1, 1000)));
    }
    font.setItalic(t.italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace qtbackend
