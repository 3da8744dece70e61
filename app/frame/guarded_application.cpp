#include "app/frame/guarded_application.h"

#include "core/app_frame.h"

namespace poremi {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (TAppFrame* frame = TAppFrame::instance()) {
            frame->handleException(error);
        } else {
            qWarning("%s", error.what());
        }
    }
    return false;
}

}  // namespace poremi
