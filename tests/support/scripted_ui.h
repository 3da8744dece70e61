#pragma once
// A user-interface service for tests: answers questions from a script and records them.

#include "base/user_interface.h"

#include <QtCore/QList>
#include <QtCore/QStringList>

namespace poremi::test {

class ScriptedUserInterface final : public UserInterface {
public:
    struct Question {
        QString caption;
        QString text;
        QList<MessageButton> buttons;
        int defaultIndex;
        int cancelIndex;
    };

    // Installs itself for its lifetime.
    ScriptedUserInterface();
    ~ScriptedUserInterface() override;

    // Queues the next answers; when the queue is empty, questions are answered mrOk.
    void answer(int modalResult) { answers_.append(modalResult); }
    // Queues the next file chosen in a file dialog; when the queue is empty the user gives up.
    void answerFile(const QString& path) { files_.append(path); }
    // The captions of the file dialogs asked for.
    const QStringList& fileQuestions() const { return fileQuestions_; }

    const QList<Question>& questions() const { return questions_; }
    QStringList texts() const;

    int messageBox(const QString& caption, const QString& text, const QList<MessageButton>& buttons,
                   int defaultIndex, int cancelIndex) override;
    QString openFileName(const QString& caption, const QString& filter) override;

private:
    QList<int> answers_;
    QStringList files_;
    QStringList fileQuestions_;
    QList<Question> questions_;
};

}  // namespace poremi::test
