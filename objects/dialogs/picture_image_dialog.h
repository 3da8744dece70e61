#pragma once
// The property dialog of a picture on a label: the picture page, which shows the picture and
// chooses another file, and the position page. It works on a copy of the picture and writes
// the object only when asked to.

#include "objects/picture_image.h"

#include <QtWidgets/QDialog>

class QLabel;
class QPushButton;
class QTabWidget;

namespace poremi {

class PositionPanel;

class TfrmIllustProperty : public QDialog {
    Q_OBJECT
public:
    // Filled from the image; reopens on the page that was open when the last one closed.
    explicit TfrmIllustProperty(const TLOImage& image, QWidget* parent = nullptr);
    ~TfrmIllustProperty() override;

    // Asks for a picture file through the user-interface service and takes it, sizing the
    // width and height boxes from it. False when none was taken (a file that does not load is
    // reported as "イメージの読み込みに失敗しました").
    bool choosePicture();
    bool hasPicture() const { return !imageData_.isEmpty(); }
    const TImageData& imageData() const { return imageData_; }

    // Angle, movable, do-not-print, Left, Top, Width, Height, then ImageData.
    void writeTo(TLOImage& image) const;

    QTabWidget* tabs() const { return tabs_; }
    QPushButton* reselectButton() const { return reselect_; }
    PositionPanel* position() const { return position_; }

    void done(int result) override;

private:
    QWidget* makePicturePage();
    void showPicture();

    TImageData imageData_;
    bool onSite_ = false;
    QTabWidget* tabs_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* pixelSize_ = nullptr;
    QPushButton* reselect_ = nullptr;
    PositionPanel* position_ = nullptr;
};

}  // namespace poremi
