#pragma once
// The OK and Cancel buttons of the shape dialogs: OK is the default (Enter), Esc cancels.

class QDialog;
class QDialogButtonBox;

namespace poremi {

QDialogButtonBox* makeShapeDialogButtons(QDialog& dialog);

}  // namespace poremi
