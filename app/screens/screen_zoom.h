#pragma once
// The zoom choices of the menu and free-design screens ("25%" … "400%" and "自動(&A)", one
// radio group) and the zoom each of the two remembers for the application's lifetime.

#include "app/screens/screen.h"

#include <QtCore/QList>
#include <QtCore/QObject>

class QAction;
class QActionGroup;

namespace poremi {

class ScreenZoom : public QObject {
    Q_OBJECT
public:
    // The percent that stands for fitting the label into the view.
    static constexpr int kAutomatic = 0;

    // Checks the choice the screen kind remembered (automatic at first).
    explicit ScreenZoom(ScreenKind remembered, QObject* parent = nullptr);

    // In menu order; checkable, exactly one checked.
    QList<QAction*> actions() const;
    // The checked choice's percent, or kAutomatic.
    int percent() const { return percent_; }
    bool automatic() const { return percent_ == kAutomatic; }
    // Checks the choice of the percent (kAutomatic, or one of the offered scales) and reports it.
    void choose(int percent);
    // Remembers the screen's scale for its next instance, or automatic while that is chosen.
    void remember(int currentScale) const;
    // What the screen kind remembers now.
    static int remembered(ScreenKind kind);

signals:
    // The user or the program chose a zoom; kAutomatic asks the screen to fit.
    void chosen(int percent);

private:
    ScreenKind kind_;
    QActionGroup* group_;
    int percent_ = kAutomatic;
};

}  // namespace poremi
