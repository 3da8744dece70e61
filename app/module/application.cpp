#include "app/module/application.h"

#include "app/frame/guarded_application.h"
#include "app/frame/printer_facts.h"
#include "app/module/main_data_module.h"
#include "app/module/widget_user_interface.h"
#include "app/screens/about_box.h"
#include "app/screens/main_window.h"
#include "base/error.h"

#include <QtCore/QTimer>
#include <QtWidgets/QLabel>

namespace poremi {
namespace {

constexpr int kSplashMilliseconds = 1500;

// The wait window of long start-up steps: shown with a text, hidden with an empty one.
class WaitWindow {
public:
    void show(const QString& text) {
        if (text.isEmpty()) {
            label_.reset();
            return;
        }
        if (!label_) {
            label_ = std::make_unique<QLabel>();
            label_->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
            label_->setMargin(24);
        }
        label_->setText(text);
        label_->show();
        QCoreApplication::processEvents();
    }

private:
    std::unique_ptr<QLabel> label_;
};

}  // namespace

int runApplication(int argc, char** argv) {
    GuardedApplication app(argc, argv);
    WidgetUserInterface ui;
    setUserInterface(&ui);
    int result = 1;
    {
        MainDataModule module;
        TAppFrame& frame = module.frame();
        frame.setDefaultPrinterProbe(hasDefaultPrinter);
        if (!frame.checkExecuteConditions()) {
            setUserInterface(nullptr);
            return 1;
        }
        WaitWindow wait;
        PaperDatabaseFeedback feedback;
        feedback.wait = [&wait](const QString& text) { wait.show(text); };
        feedback.caption = frame.expandMacros(QStringLiteral("$(AppName)"));
        try {
            module.openPapers(feedback);
        } catch (const std::exception& error) {
            wait.show(QString());
            const auto* own = dynamic_cast<const Exception*>(&error);
            userInterface().messageBox(feedback.caption, own ? own->message() : QString::fromUtf8(error.what()),
                                       {MessageButton::Ok}, 0, 0);
            setUserInterface(nullptr);
            return 1;
        }
        wait.show(QString());
        {
            TfrmMain window(frame, module.papers());
            AboutBox::showSplash(frame, kSplashMilliseconds);
            window.show();
            const QString commandLineFile = QCoreApplication::arguments().value(1);
            QTimer::singleShot(0, &window, [&window, commandLineFile] { window.startWith(commandLineFile); });
            result = QApplication::exec();
        }
        try {
            module.closePapers();
        } catch (const std::exception& error) {
            frame.handleException(error);
        }
    }
    setUserInterface(nullptr);
    return result;
}

}  // namespace poremi
