#include "app/module/application.h"

#include "app/frame/guarded_application.h"
#include "app/frame/printer_facts.h"
#include "app/module/instance_channel.h"
#include "app/module/main_data_module.h"
#include "app/module/widget_user_interface.h"
#include "app/screens/about_box.h"
#include "app/screens/main_window.h"
#include "base/error.h"

#include <QtCore/QFileInfo>
#include <QtCore/QLibraryInfo>
#include <QtCore/QUrl>
#include <QtCore/QTimer>
#include <QtCore/QTranslator>
#include <QtGui/QIcon>
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
    // The interface is Japanese whatever the locale, Qt's own dialogs too.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/poremi/poremi.svg")));
    WidgetUserInterface ui;
    setUserInterface(&ui);
    int result = 1;
    {
        MainDataModule module;
        TAppFrame& frame = module.frame();
        frame.setDefaultPrinterProbe(hasDefaultPrinter);
        // A document started while the program runs opens in the running window.
        const QString commandLineFile = QCoreApplication::arguments().value(1);
        const QString instanceName = frame.expandMacros(QStringLiteral("$(SysMutexID)"));
        if (!commandLineFile.isEmpty() &&
            InstanceChannel::send(instanceName, QFileInfo(commandLineFile).absoluteFilePath())) {
            setUserInterface(nullptr);
            return 0;
        }
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
            InstanceChannel channel(instanceName);
            QObject::connect(&channel, &InstanceChannel::fileReceived, &window, [&window](const QString& file) {
                window.raise();
                window.activateWindow();
                window.openDroppedFiles({QUrl::fromLocalFile(file)});
            });
            channel.listen();
            AboutBox::showSplash(frame, kSplashMilliseconds);
            window.show();
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
