#pragma once
// The "位置" page of the text pages: rotation, place and size in millimetres, not printing,
// locking and auto-size (which frees the object from the typed width and height).

#include "render/geometry/rect.h"

#include <QtWidgets/QWidget>

class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;

namespace poremi {

struct TextPosition {
    int angle = 0;
    bool locked = false;
    bool dontPrint = false;
    bool autoSize = false;
    TRect rect;   // document units
};

class TextPositionPanel : public QWidget {
    Q_OBJECT
public:
    explicit TextPositionPanel(QWidget* parent = nullptr);

    void setPosition(const TextPosition& position);
    // Lengths are the shown millimetres in document units; the rectangle keeps its place.
    TextPosition position() const;

private:
    QDoubleSpinBox* lengthBox(const QString& name, double minimum);

    QSpinBox* angle_;
    QDoubleSpinBox* left_;
    QDoubleSpinBox* top_;
    QDoubleSpinBox* width_;
    QDoubleSpinBox* height_;
    QCheckBox* dontPrint_;
    QCheckBox* locked_;
    QCheckBox* autoSize_;
};

}  // namespace poremi
