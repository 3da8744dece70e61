#pragma once
// Answers the modal dialog a test is about to open, once it shows.

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace poremi::test {

template <class Dialog, class Answer>
void whenShown(Answer answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

}  // namespace poremi::test
