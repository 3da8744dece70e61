#pragma once
// Every modal question of the program goes through this service, so that tests and
// command-line runs answer without blocking. The application installs the widget
// implementation; without one, a non-interactive service answers.

#include <QtCore/QList>
#include <QtCore/QString>
#include <cstdint>

namespace poremi {

// Button codes of message boxes (one byte each in the button lists).
enum class MessageButton : std::uint8_t {
    Ok = 1, Cancel = 2, Help = 3, Yes = 4, No = 5, Close = 6, Abort = 7, Retry = 8, Ignore = 9, All = 10
};

// Standard modal results.
enum ModalResult : int {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
    mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11
};

ModalResult modalResultOf(MessageButton button);

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // Shows text with the buttons; defaultIndex names the default button and cancelIndex the
    // one that answers Esc. Returns the modal result of the button chosen.
    virtual int messageBox(const QString& caption, const QString& text, const QList<MessageButton>& buttons,
                           int defaultIndex, int cancelIndex) = 0;
    // Asks for an existing file to open; filter in the file dialog's form ("画像 (*.png *.jpg)").
    // Empty when the user gave up; a service that cannot ask gives up.
    virtual QString openFileName(const QString& caption, const QString& filter);
};

// The service in use; never null.
UserInterface& userInterface();
// Installs a service (not owned); nullptr restores the non-interactive one.
void setUserInterface(UserInterface* service);

// Answers without asking: prints the text to standard error and chooses the Esc button
// (the safe answer), or the default button when there is no Esc button.
class NonInteractiveUserInterface final : public UserInterface {
public:
    int messageBox(const QString& caption, const QString& text, const QList<MessageButton>& buttons,
                   int defaultIndex, int cancelIndex) override;
};

}  // namespace poremi
