#pragma once
// The application's message form: the text in a multi-line label and up to three buttons
// centred side by side; with at most two buttons their captions are "はい" and "いいえ".

#include "base/user_interface.h"

#include <QtWidgets/QDialog>

namespace poremi {

class MessageForm : public QDialog {
    Q_OBJECT
public:
    MessageForm(const QString& caption, const QString& text, const QList<MessageButton>& buttons, int defaultIndex,
                int cancelIndex, QWidget* parent = nullptr);

    // The captions the buttons show.
    static QStringList buttonCaptions(const QList<MessageButton>& buttons);

    // Esc answers with the button named by the cancel index.
    void reject() override;

private:
    int cancelResult_ = mrCancel;
};

// The user-interface service of the running application.
class WidgetUserInterface final : public UserInterface {
public:
    int messageBox(const QString& caption, const QString& text, const QList<MessageButton>& buttons,
                   int defaultIndex, int cancelIndex) override;
    QString openFileName(const QString& caption, const QString& filter) override;
};

}  // namespace poremi
