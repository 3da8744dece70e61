#pragma once
// The "位置" page of the rectangle and ellipse dialog: angle, left, top, width and height in
// millimetres, left out of print and locked.

#include "render/geometry/rect.h"

#include <QtWidgets/QWidget>

class QCheckBox;
class QSpinBox;

namespace poremi {

class ShapeLengthBox;

struct ShapePosition {
    int angle = 0;
    bool locked = false;  // not Movable
    bool dontPrint = false;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class ShapePositionPanel : public QWidget {
    Q_OBJECT
public:
    explicit ShapePositionPanel(QWidget* parent = nullptr);

    void load(const ShapePosition& position);
    ShapePosition read() const;

    QSpinBox* angleBox() const { return angle_; }
    ShapeLengthBox* leftBox() const { return left_; }
    ShapeLengthBox* topBox() const { return top_; }
    ShapeLengthBox* widthBox() const { return width_; }
    ShapeLengthBox* heightBox() const { return height_; }
    QCheckBox* dontPrintBox() const { return dontPrint_; }
    QCheckBox* lockBox() const { return lock_; }

private:
    QSpinBox* angle_;
    ShapeLengthBox* left_;
    ShapeLengthBox* top_;
    ShapeLengthBox* width_;
    ShapeLengthBox* height_;
    QCheckBox* dontPrint_;
    QCheckBox* lock_;
};

// The check boxes both shape dialogs show, with their hints.
QCheckBox* makeDontPrintBox(QWidget* parent);
QCheckBox* makeLockBox(QWidget* parent);

}  // namespace poremi
