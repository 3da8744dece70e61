#pragma once
// The application object: errors thrown while an event is handled never cross Qt's event
// loop; they reach the frame's error display and the operation is abandoned.

#include <QtWidgets/QApplication>

namespace poremi {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace poremi
