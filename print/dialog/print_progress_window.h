#pragma once
// The window shown while a job composes: its progress on one bar, and the question
// "印刷を中断しますか？" when the user closes it; the answer OK aborts the job, and the window
// stays until the job has ended.

#include <QtWidgets/QDialog>

class QProgressBar;

namespace poremi {

class TPrintSite;

class PrintProgressWindow : public QDialog {
    Q_OBJECT
public:
    // Follows the site's progress for as long as both live.
    explicit PrintProgressWindow(TPrintSite& site, QWidget* parent = nullptr);

    int position() const;
    // The job has ended: the window may close.
    void finish();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void askToAbort();

    TPrintSite& site_;
    QProgressBar* bar_ = nullptr;
    bool finished_ = false;
};

}  // namespace poremi
