#include "base/user_interface.h"

#include <cstdio>

namespace poremi {
namespace {

UserInterface* installed = nullptr;

}  // namespace

ModalResult modalResultOf(MessageButton button) {
    switch (button) {
    case MessageButton::Ok: return mrOk;
    case MessageButton::Cancel: return mrCancel;
    case MessageButton::Help: return mrNone;
    case MessageButton::Yes: return mrYes;
    case MessageButton::No: return mrNo;
    case MessageButton::Close: return mrClose;
    case MessageButton::Abort: return mrAbort;
    case MessageButton::Retry: return mrRetry;
    case MessageButton::Ignore: return mrIgnore;
    case MessageButton::All: return mrAll;
    }
    return mrNone;
}

std::optional<FileAnswer> UserInterface::askFileName(const FileQuestion&) { return std::nullopt; }

UserInterface& userInterface() {
    static NonInteractiveUserInterface fallback;
    return installed ? *installed : fallback;
}

void setUserInterface(UserInterface* service) { installed = service; }


int NonInteractiveUserInterface::messageBox(const QString& caption, const QString& text,
                                            const QList<MessageButton>& buttons, int defaultIndex,
                                            int cancelIndex) {
    std::fprintf(stderr, "%s: %s\n", caption.toLocal8Bit().constData(), text.toLocal8Bit().constData());
    if (buttons.isEmpty()) return mrOk;
    const bool hasEscape = buttons.size() > 1 && cancelIndex >= 0 && cancelIndex < buttons.size();
    const int index = hasEscape ? cancelIndex : (defaultIndex >= 0 && defaultIndex < buttons.size() ? defaultIndex : 0);
    return modalResultOf(buttons[index]);
}

}  // namespace poremi
