#include "print/dialog/print_progress_window.h"

#include "base/progress.h"
#include "base/user_interface.h"
#include "core/app_frame.h"
#include "print/print_site.h"

#include <QtGui/QCloseEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QVBoxLayout>

namespace poremi {

PrintProgressWindow::PrintProgressWindow(TPrintSite& site, QWidget* parent) : QDialog(parent), site_(site) {
    setWindowTitle(QStringLiteral("印刷中です。少しお待ちください．．．"));
    bar_ = new QProgressBar;
    bar_->setRange(0, PhasedProgress::kScale);
    bar_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("印刷中です。少しお待ちください．．．")));
    layout->addWidget(bar_);
    site_.progress().setListener([this](int overall) { bar_->setValue(overall); });
}

int PrintProgressWindow::position() const { return bar_->value(); }

void PrintProgressWindow::finish() {
    finished_ = true;
    site_.progress().setListener({});
    accept();
}

void PrintProgressWindow::askToAbort() {
    if (site_.isAborted()) return;
    // Cancel is the default and the Esc answer: a stray key never throws a job away.
    const int answer = userInterface().messageBox(ExpandMacros(QStringLiteral("$(AppName)")),
                                                  QStringLiteral("印刷を中断しますか？"),
                                                  {MessageButton::Ok, MessageButton::Cancel}, 1, 1);
    if (answer == mrOk) site_.abort();
}

void PrintProgressWindow::closeEvent(QCloseEvent* event) {
    if (finished_) {
        event->accept();
        return;
    }
    event->ignore();
    askToAbort();
}

void PrintProgressWindow::reject() {
    if (finished_) {
        QDialog::reject();
        return;
    }
    askToAbort();
}

}  // namespace poremi
