#include "objects/dialogs/shape_line_ends.h"

#include "objects/dialogs/position_panel.h"
#include "objects/dialogs/shape_length_box.h"
#include "objects/shape_line.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFormLayout>

namespace poremi {

ShapeLineEnds::ShapeLineEnds()
    : startX_(new ShapeLengthBox(0, 10000)),
      startY_(new ShapeLengthBox(0, 10000)),
      endX_(new ShapeLengthBox(0, 10000)),
      endY_(new ShapeLengthBox(0, 10000)),
      dontPrint_(makeDontPrintBox(nullptr)),
      lock_(makeLockBox(nullptr)) {
    const QString fromLeft = QStringLiteral("ﾗﾍﾞﾙの左端からの位置を指定します");
    const QString fromTop = QStringLiteral("ﾗﾍﾞﾙの上端からの位置を指定します");
    startX_->setToolTip(fromLeft);
    endX_->setToolTip(fromLeft);
    startY_->setToolTip(fromTop);
    endY_->setToolTip(fromTop);
}

void ShapeLineEnds::addPointRowsTo(QFormLayout& form) {
    form.addRow(QStringLiteral("始点Ｘ(&A)"), startX_);
    form.addRow(QStringLiteral("始点Ｙ(&B)"), startY_);
    form.addRow(QStringLiteral("終点Ｘ(&C)"), endX_);
    form.addRow(QStringLiteral("終点Ｙ(&D)"), endY_);
}

void ShapeLineEnds::addFlagRowsTo(QFormLayout& form) {
    form.addRow(dontPrint_);
    form.addRow(lock_);
}

void ShapeLineEnds::load(const TLOLine& line) {
    startX_->setValue(line.startX());
    startY_->setValue(line.startY());
    endX_->setValue(line.endX());
    endY_->setValue(line.endY());
    dontPrint_->setChecked(line.dontPrint());
    lock_->setChecked(!line.movable());
}

void ShapeLineEnds::store(TLOLine& line) const {
    line.setPoints({startX_->value(), startY_->value()}, {endX_->value(), endY_->value()});
    line.setMovable(!lock_->isChecked());
    line.setDontPrint(dontPrint_->isChecked());
}

}  // namespace poremi
