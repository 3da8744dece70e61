#pragma once
// The OK and Cancel buttons of the property dialogs: OK is the default (Enter), Esc cancels.

class QDialog;
class QDialogButtonBox;

namespace poremi {

QDialogButtonBox* makeDialogButtons(QDialog& dialog);

}  // namespace poremi
