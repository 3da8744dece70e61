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

    // Queues the next answer to a file-name question; when the queue is empty, the question is
    // cancelled.
    void answerFile(const QString& fileName, int filterIndex = 1) { fileAnswers_.append(FileAnswer{fileName, filterIndex}); }
    void cancelFile() { fileAnswers_.append(std::nullopt); }

    const QList<Question>& questions() const { return questions_; }
    const QList<FileQuestion>& fileQuestions() const { return fileQuestions_; }
    QStringList texts() const;

    int messageBox(const QString& caption, const QString& text, const QList<MessageButton>& buttons,
                   int defaultIndex, int cancelIndex) override;
    std::optional<FileAnswer> askFileName(const FileQuestion& question) override;

private:
    QList<int> answers_;
    QList<std::optional<FileAnswer>> fileAnswers_;
    QList<FileQuestion> fileQuestions_;
    QList<Question> questions_;
};

}  // namespace poremi::test
