#pragma once
// The way into the free-design screen: the steps its ribbon shows and where "戻る" goes, chosen
// by the screen it was entered from.

#include "app/screens/screen.h"

#include <QtCore/QStringList>
#include <optional>

namespace poremi {

struct FreeScreenRoute {
    QStringList steps;     // ribbon captions, the last one "アレンジ"
    QString backCommand;   // the main window's command "戻る" runs
};

// From the template or text-input screen, from the image screen, or from anywhere else
// (none: the first screen of a window).
FreeScreenRoute freeScreenRoute(std::optional<ScreenKind> enteredFrom);

// The main window's command a ribbon step runs.
QString ribbonStepCommand(const QString& step);

}  // namespace poremi
