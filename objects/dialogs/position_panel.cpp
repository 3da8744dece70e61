#include "objects/dialogs/position_panel.h"

#include "objects/dialogs/shape_length_box.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QSpinBox>

namespace poremi {

QCheckBox* makeDontPrintBox(QWidget* parent) {
    auto* box = new QCheckBox(QStringLiteral("印刷しない(&P)"), parent);
    box->setToolTip(QStringLiteral("ﾗﾍﾞﾙｼｰﾄ印刷時に印刷しないようにします"));
    return box;
}

QCheckBox* makeLockBox(QWidget* parent) {
    auto* box = new QCheckBox(QStringLiteral("ロックする(&K)"), parent);
    box->setToolTip(QStringLiteral("移動やｻｲｽﾞ変更できないようにします"));
    return box;
}

PositionPanel::PositionPanel(QWidget* parent)
    : QWidget(parent),
      angle_(new QSpinBox(this)),
      left_(new ShapeLengthBox(-10000, 10000, this)),
      top_(new ShapeLengthBox(-10000, 10000, this)),
      width_(new ShapeLengthBox(20, 10000, this)),
      height_(new ShapeLengthBox(20, 10000, this)),
      dontPrint_(makeDontPrintBox(this)),
      lock_(makeLockBox(this)) {
    angle_->setRange(-360, 360);
    angle_->setSuffix(QStringLiteral(" 度"));
    left_->setToolTip(QStringLiteral("ﾗﾍﾞﾙの左端からの位置を指定します"));
    top_->setToolTip(QStringLiteral("ﾗﾍﾞﾙの上端からの位置を指定します"));
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("回転(&R)"), angle_);
    layout->addRow(QStringLiteral("左(&L)"), left_);
    layout->addRow(QStringLiteral("上(&T)"), top_);
    layout->addRow(QStringLiteral("幅(&W)"), width_);
    layout->addRow(QStringLiteral("高さ(&H)"), height_);
    layout->addRow(dontPrint_);
    layout->addRow(lock_);
}

void PositionPanel::load(const ObjectPosition& position) {
    angle_->setValue(position.angle);
    lock_->setChecked(position.locked);
    dontPrint_->setChecked(position.dontPrint);
    left_->setValue(position.left);
    top_->setValue(position.top);
    width_->setValue(position.width);
    height_->setValue(position.height);
}

ObjectPosition PositionPanel::read() const {
    return {angle_->value(), lock_->isChecked(), dontPrint_->isChecked(), left_->value(),
            top_->value(),   width_->value(),    height_->value()};
}

}  // namespace poremi
