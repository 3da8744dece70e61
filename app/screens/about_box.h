#pragma once
// The about box: the program's name and version. At start it shows as a splash screen that
// closes itself.

#include <QtWidgets/QDialog>

namespace poremi {

class TAppFrame;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(TAppFrame& frame, QWidget* parent = nullptr);

    // Shows a frameless splash that deletes itself after the given time.
    static void showSplash(TAppFrame& frame, int milliseconds);
};

}  // namespace poremi
