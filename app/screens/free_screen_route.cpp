#include "app/screens/free_screen_route.h"

#include <QtCore/QHash>

namespace poremi {

FreeScreenRoute freeScreenRoute(std::optional<ScreenKind> enteredFrom) {
    const QString menu = QStringLiteral("メニュー");
    const QString arrange = QStringLiteral("アレンジ");
    if (enteredFrom == ScreenKind::Template || enteredFrom == ScreenKind::TextInput)
        return {{menu, QStringLiteral("テンプレート"), QStringLiteral("文字入力"), arrange}, QStringLiteral("actQelEditInput")};
    if (enteredFrom == ScreenKind::Image)
        return {{menu, QStringLiteral("イメージ"), arrange}, QStringLiteral("actQelEditImage")};
    return {{menu, arrange}, QStringLiteral("actQelMenu")};
}

QString ribbonStepCommand(const QString& step) {
    static const QHash<QString, QString> commands{
        {QStringLiteral("メニュー"), QStringLiteral("actQelMenu")},
        {QStringLiteral("テンプレート"), QStringLiteral("actQelEditTemplate")},
        {QStringLiteral("文字入力"), QStringLiteral("actQelEditInput")},
        {QStringLiteral("イメージ"), QStringLiteral("actQelEditImage")},
        {QStringLiteral("アレンジ"), QStringLiteral("actQelEditFree")},
    };
    return commands.value(step);
}

}  // namespace poremi
