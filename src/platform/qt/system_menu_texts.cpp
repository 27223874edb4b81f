#include "platform/qt/system_menu_texts.h"

namespace qtbackend {

SystemMenuTexts SystemMenuTextsIn(base::UiLanguage language) {
    switch (language) {
    case base::UiLanguage::Chinese:
        return {QStringLiteral("还原(&R)"), QStringLiteral("最小化(&N)"),
                QStringLiteral("最大化(&X)"), QStringLiteral("关闭(&C)\tAlt+F4")};
    case base::UiLanguage::German:
        return {QStringLiteral("&Wiederherstellen"), QStringLiteral("Mi&nimieren"),
                QStringLiteral("Ma&ximieren"), QStringLiteral("&Schließen\tAlt+F4")};
    case base::UiLanguage::French:
        return {QStringLiteral("R&estaurer"), QStringLiteral("Réd&uire"),
                QStringLiteral("Agran&dir"), QStringLiteral("&Fermer\tAlt+F4")};
    case base::UiLanguage::English:
        break;
    }
    return {QStringLiteral("&Restore"), QStringLiteral("Mi&nimize"), QStringLiteral("Ma&ximize"),
            QStringLiteral("&Close\tAlt+F4")};
}

} // namespace qtbackend
