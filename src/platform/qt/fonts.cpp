#include "platform/qt/fonts.h"

#include <QString>

#include <fontconfig/fontconfig.h>

#include <algorithm>

namespace qtbackend {

namespace {

// A template whose language is Chinese names the faces its texts were laid out in; one in a
// Latin-script language was translated into the same layout, and its texts read best in the
// face the platform uses for such texts everywhere else.
bool DrawnInItsOwnFace(const windowing::DialogTemplate& t) {
    constexpr int kPrimaryLanguageMask = 0x3FF;
    constexpr int kChinese = 0x04;
    return t.language == 0 || (t.language & kPrimaryLanguageMask) == kChinese;
}

} // namespace

QStringList ChineseFallbackFamilies() {
    return {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("Source Han Sans SC"), QStringLiteral("Droid Sans Fallback")};
}

QString UiFamily() {
    // Asked for Latin text: fontconfig prefers other faces for "sans-serif" when the locale is,
    // say, Chinese, and Qt's own resolution follows the locale it saw first.
    static const QString family = [] {
        QString name = QStringLiteral("DejaVu Sans");
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("en"));
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
            FcChar8* matched = nullptr;
            if (FcPatternGetString(match, FC_FAMILY, 0, &matched) == FcResultMatch && matched) {
                name = QString::fromUtf8(reinterpret_cast<const char*>(matched));
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
        return name;
    }();
    return family;
}

QFont DialogFont(const windowing::DialogTemplate& t, qreal ratio) {
    QStringList families;
    if (!DrawnInItsOwnFace(t)) {
        families << UiFamily();
    } else if (t.faceName.empty() || t.faceName == "System") {
        families << QStringLiteral("Liberation Sans");
    } else {
        families << QString::fromUtf8(t.faceName);
    }
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
