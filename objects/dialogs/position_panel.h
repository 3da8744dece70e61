#pragma once
// The "位置" page of the object dialogs: angle, left, top, width and height in millimetres,
// left out of print and locked.

#include "render/geometry/rect.h"

#include <QtWidgets/QWidget>

class QCheckBox;
class QSpinBox;

namespace poremi {

class ShapeLengthBox;

struct ObjectPosition {
    int angle = 0;
    bool locked = false;  // not Movable
    bool dontPrint = false;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class PositionPanel : public QWidget {
    Q_OBJECT
public:
    explicit PositionPanel(QWidget* parent = nullptr);

    void load(const ObjectPosition& position);
    ObjectPosition read() const;

    // Fills the boxes from a turnable rectangle object.
    template <class Object>
    void loadFrom(const Object& object) {
        load({object.angle(), !object.movable(), object.dontPrint(), object.left(), object.top(), object.width(),
              object.height()});
    }
    // Writes angle, movable, do-not-print, Left, Top, Width and Height, in this order.
    template <class Object>
    void writeTo(Object& object) const {
        const ObjectPosition place = read();
        object.setAngle(place.angle);
        object.setMovable(!place.locked);
        object.setDontPrint(place.dontPrint);
        object.setLeft(place.left);
        object.setTop(place.top);
        object.setWidth(place.width);
        object.setHeight(place.height);
    }

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
