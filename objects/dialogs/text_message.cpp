#include "objects/dialogs/text_message.h"

#include "core/app_frame.h"

namespace poremi {

void showTextDialogMessage(const QString& text) {
    if (TAppFrame* frame = TAppFrame::instance())
        frame->showMessageBox(text);
    else
        userInterface().messageBox(QString(), text, {MessageButton::Ok}, 0, 0);
}

}  // namespace poremi
