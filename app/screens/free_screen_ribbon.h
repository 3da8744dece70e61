#pragma once
// The strip of steps above the free-design screen ("メニュー" › … › "アレンジ"): the last step
// is the screen itself, every earlier one runs the main window's command of that screen.

#include <QtWidgets/QWidget>

class QHBoxLayout;
class QToolButton;

namespace poremi {

class FreeScreenRibbon : public QWidget {
    Q_OBJECT
public:
    explicit FreeScreenRibbon(QWidget* parent = nullptr);

    void setSteps(const QStringList& steps);
    QStringList steps() const { return steps_; }
    QToolButton* stepButton(const QString& caption) const;

signals:
    // The main window's command of a step the user chose.
    void commandChosen(const QString& command);

private:
    QHBoxLayout* row_;
    QStringList steps_;
};

}  // namespace poremi
