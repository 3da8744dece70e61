#pragma once
// The property dialog of rectangles ("四角図形の設定") and ellipses ("円図形の設定"): the
// frame's width, corners and paint, the inside's paint, and the position. Each kind reopens
// on the tab it was closed on, for the life of the process.

#include <QtWidgets/QDialog>

class QCheckBox;
class QRadioButton;
class QTabWidget;

namespace poremi {

class ShapeFillPanel;
class ShapeLengthBox;
class PositionPanel;
class TLORect;

class TfrmRectProperty : public QDialog {
    Q_OBJECT
public:
    TfrmRectProperty(bool ellipse, QWidget* parent = nullptr);

    void load(const TLORect& shape);
    // Writes angle, movable, do-not-print, Left, Top, Width, Height, FrameColor, FillColor,
    // FrameWidth, FillInside, RoundRect, as one change.
    void store(TLORect& shape) const;

    QTabWidget* tabs() const { return tabs_; }
    ShapeLengthBox* frameWidthBox() const { return frameWidth_; }
    QCheckBox* roundRectBox() const { return roundRect_; }
    ShapeFillPanel* frameFill() const { return frameFill_; }
    QRadioButton* transparentButton() const { return transparent_; }
    QRadioButton* fillButton() const { return filled_; }
    ShapeFillPanel* insideFill() const { return insideFill_; }
    PositionPanel* position() const { return position_; }

    void done(int result) override;

private:
    int& rememberedTab() const;

    bool ellipse_;
    QTabWidget* tabs_;
    ShapeLengthBox* frameWidth_;
    QCheckBox* roundRect_;
    ShapeFillPanel* frameFill_;
    QRadioButton* transparent_;
    QRadioButton* filled_;
    ShapeFillPanel* insideFill_;
    PositionPanel* position_;
};

}  // namespace poremi
