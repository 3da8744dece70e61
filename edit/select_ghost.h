#pragma once
// The rubber band: selects the objects that lie wholly inside it.

#include "edit/ghost.h"

namespace poremi {

class TSelectGhost : public TGhost {
public:
    void begin(QPoint start) override;
    void paint(QPainter& painter) const override;
    QRect paintBounds() const override;
    void move(Qt::KeyboardModifiers modifiers, QPoint offset) override;
    void finish(Qt::KeyboardModifiers modifiers) override;

private:
    QRect bandPixels() const;

    QPoint start_;
    QPoint end_;
};

}  // namespace poremi
