#pragma once
// The dialogs of the position and alignment commands: a column of modes as radio buttons,
// the first one chosen, with OK and Cancel. The screen opens them and runs the command with
// the chosen mode.

#include "edit/arrange/arrange_align.h"
#include "edit/arrange/arrange_position.h"

#include <QtWidgets/QDialog>

class QButtonGroup;

namespace poremi {

class ArrangeModeDialog : public QDialog {
    Q_OBJECT
public:
    ArrangeModeDialog(const QString& caption, const QStringList& modes, QWidget* parent);

    // The index of the chosen mode.
    int mode() const;
    void setMode(int mode);

private:
    QButtonGroup* modes_;
};

// "位置合わせ"
class TfrmLocation : public ArrangeModeDialog {
    Q_OBJECT
public:
    explicit TfrmLocation(QWidget* parent = nullptr);
    PositionMode positionMode() const { return PositionMode(mode()); }
};

// "位置揃え"
class TfrmAlign : public ArrangeModeDialog {
    Q_OBJECT
public:
    explicit TfrmAlign(QWidget* parent = nullptr);
    AlignMode alignMode() const { return AlignMode(mode()); }
};

}  // namespace poremi
