#include "tests/support/scripted_ui.h"

namespace poremi::test {

ScriptedUserInterface::ScriptedUserInterface() { setUserInterface(this); }

ScriptedUserInterface::~ScriptedUserInterface() { setUserInterface(nullptr); }

QStringList ScriptedUserInterface::texts() const {
    QStringList out;
    for (const Question& q : questions_) out << q.text;
    return out;
}

int ScriptedUserInterface::messageBox(const QString& caption, const QString& text,
                                      const QList<MessageButton>& buttons, int defaultIndex, int cancelIndex) {
    questions_.append({caption, text, buttons, defaultIndex, cancelIndex});
    return answers_.isEmpty() ? mrOk : answers_.takeFirst();
}

QString ScriptedUserInterface::openFileName(const QString& caption, const QString&) {
    fileQuestions_.append(caption);
    return files_.isEmpty() ? QString() : files_.takeFirst();
}

}  // namespace poremi::test
