#include "app/module/application.h"

#include "app/frame/form_position.h"
#include "app/frame/guarded_application.h"
#include "app/frame/printer_facts.h"
#include "app/module/main_data_module.h"
#include "app/module/message_form.h"

#include <QtWidgets/QMainWindow>

namespace poremi {

int runApplication(int argc, char** argv) {
    GuardedApplication app(argc, argv);
    WidgetUserInterface ui;
    setUserInterface(&ui);
    MainDataModule module;
    TAppFrame& frame = module.frame();
    frame.setDefaultPrinterProbe(hasDefaultPrinter);
    QApplication::setApplicationDisplayName(frame.expandMacros(QStringLiteral("$(AppName)")));
    if (!frame.checkExecuteConditions()) {
        setUserInterface(nullptr);
        return 1;
    }
    int result = 0;
    {
        QMainWindow window;
        window.setObjectName(QStringLiteral("frmMain"));
        window.setWindowTitle(frame.expandMacros(QStringLiteral("$(AppName)")));
        restoreFormPosition(frame, window, 800, 600);
        window.show();
        result = QApplication::exec();
        saveFormPosition(frame, window);
    }
    setUserInterface(nullptr);
    return result;
}

}  // namespace poremi
