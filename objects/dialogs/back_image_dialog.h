#pragma once
// The property dialog of a face's background ("背景柄の設定"): the fill, which may be a
// picture cut to the face's shape, and the frame band along the face's outline. "背景柄なし"
// ends the dialog with OK and a blank background. It reopens on the tab it was closed on.

#include "paper/face_info.h"

#include <QtWidgets/QDialog>

class QPushButton;
class QTabWidget;

namespace poremi {

class ShapeFillPanel;
class ShapeLengthBox;
class TLOBackImage;

class TfrmBackGround : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBackGround(const TLOBackImage& background, QWidget* parent = nullptr);

    // Asks for a picture file and makes it the fill, cut to the face's aspect ratio. False
    // when none was taken.
    bool chooseFillPicture();
    // FrameColor, FillColor, FrameWidth; or the blank background after "背景柄なし".
    void writeTo(TLOBackImage& background) const;

    QTabWidget* tabs() const { return tabs_; }
    ShapeFillPanel* fillPanel() const { return fill_; }
    ShapeFillPanel* framePanel() const { return frame_; }
    ShapeLengthBox* frameWidthBox() const { return frameWidth_; }
    QPushButton* pictureButton() const { return picture_; }
    QPushButton* clearButton() const { return clear_; }
    bool cleared() const { return cleared_; }

    void done(int result) override;

private:
    // The largest rectangle of the face's aspect ratio centred in a picture of that size.
    TRect faceClip(QSize pictureSize) const;

    TFaceInfo face_;
    QTabWidget* tabs_;
    ShapeFillPanel* fill_;
    ShapeFillPanel* frame_;
    ShapeLengthBox* frameWidth_;
    QPushButton* picture_;
    QPushButton* clear_;
    bool cleared_ = false;
};

}  // namespace poremi
