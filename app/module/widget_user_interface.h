#pragma once
// The user-interface service of the running application: the message form for questions and
// Qt's own (non-native) file dialog for file names.

#include "base/user_interface.h"

namespace poremi {

class WidgetUserInterface final : public UserInterface {
public:
    int messageBox(const QString& caption, const QString& text, const QList<MessageButton>& buttons,
                   int defaultIndex, int cancelIndex) override;
    std::optional<FileAnswer> askFileName(const FileQuestion& question) override;
};

}  // namespace poremi
