#pragma once
// The one-button message of the text and date dialogs that refuse their OK.

#include <QtCore/QString>

namespace poremi {

void showTextDialogMessage(const QString& text);

}  // namespace poremi
