#pragma once
// The property dialog of a picture on a label: the picture page, which shows the picture and
// chooses another file, and the position page. It works on a copy of the picture and writes
// the object only when asked to.

#include "objects/picture_image.h"

#include <QtWidgets/QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace poremi {

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
    QSpinBox* angleBox() const { return angle_; }
    QDoubleSpinBox* leftBox() const { return left_; }
    QDoubleSpinBox* topBox() const { return top_; }
    QDoubleSpinBox* widthBox() const { return width_; }
    QDoubleSpinBox* heightBox() const { return height_; }
    QCheckBox* dontPrintBox() const { return dontPrint_; }
    QCheckBox* lockBox() const { return lock_; }

    void done(int result) override;

private:
    QWidget* makePicturePage();
    QWidget* makePositionPage();
    void showPicture();

    TImageData imageData_;
    TRect rect_;
    bool onSite_ = false;
    QTabWidget* tabs_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* pixelSize_ = nullptr;
    QPushButton* reselect_ = nullptr;
    QSpinBox* angle_ = nullptr;
    QDoubleSpinBox* left_ = nullptr;
    QDoubleSpinBox* top_ = nullptr;
    QDoubleSpinBox* width_ = nullptr;
    QDoubleSpinBox* height_ = nullptr;
    QCheckBox* dontPrint_ = nullptr;
    QCheckBox* lock_ = nullptr;
};

}  // namespace poremi
