#include "objects/dialogs/shape_rect_property.h"

#include "objects/dialogs/dialog_buttons.h"
#include "objects/dialogs/shape_fill_panel.h"
#include "objects/dialogs/shape_length_box.h"
#include "objects/dialogs/position_panel.h"
#include "objects/shape_rect.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace poremi {

TfrmRectProperty::TfrmRectProperty(bool ellipse, QWidget* parent)
    : QDialog(parent),
      ellipse_(ellipse),
      tabs_(new QTabWidget(this)),
      frameWidth_(new ShapeLengthBox(0, 200)),
      roundRect_(new QCheckBox(QStringLiteral("角を丸くする(&R)"))),
      frameFill_(new ShapeFillPanel),
      transparent_(new QRadioButton(QStringLiteral("透明にする(&T)"))),
      filled_(new QRadioButton(QStringLiteral("色で塗りつぶす(&F)"))),
      insideFill_(new ShapeFillPanel),
      position_(new PositionPanel) {
    setWindowTitle(ellipse ? QStringLiteral("円図形の設定") : QStringLiteral("四角図形の設定"));

    auto* frame = new QWidget;
    auto* frameLayout = new QVBoxLayout(frame);
    auto* widthRow = new QFormLayout;
    widthRow->addRow(QStringLiteral("枠線の太さ(&F)"), frameWidth_);
    frameLayout->addLayout(widthRow);
    frameLayout->addWidget(roundRect_);
    roundRect_->setVisible(!ellipse);
    frameLayout->addWidget(frameFill_);
    tabs_->addTab(frame, QStringLiteral("枠線"));

    auto* inside = new QWidget;
    auto* insideLayout = new QVBoxLayout(inside);
    insideLayout->addWidget(transparent_);
    insideLayout->addWidget(filled_);
    insideLayout->addWidget(insideFill_);
    connect(filled_, &QRadioButton::toggled, insideFill_, &QWidget::setEnabled);
    transparent_->setChecked(true);
    insideFill_->setEnabled(false);
    tabs_->addTab(inside, QStringLiteral("塗り色"));

    tabs_->addTab(position_, QStringLiteral("位置"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(makeDialogButtons(*this));
    tabs_->setCurrentIndex(rememberedTab());
}

int& TfrmRectProperty::rememberedTab() const {
    static int rectangleTab = 0;
    static int ellipseTab = 0;
    return ellipse_ ? ellipseTab : rectangleTab;
}

void TfrmRectProperty::load(const TLORect& shape) {
    frameWidth_->setValue(shape.frameWidth());
    roundRect_->setChecked(shape.roundRect());
    frameFill_->load(shape.frameColor());
    (shape.fillInside() ? filled_ : transparent_)->setChecked(true);
    insideFill_->load(shape.fillColor());
    position_->loadFrom(shape);
}

void TfrmRectProperty::store(TLORect& shape) const {
    ChangeBracket bracket(shape.changeNotify());
    position_->writeTo(shape);
    frameFill_->read(shape.frameColorObject());
    insideFill_->read(shape.fillColorObject());
    shape.setFrameWidth(frameWidth_->value());
    shape.setFillInside(filled_->isChecked());
    if (!ellipse_) shape.setRoundRect(roundRect_->isChecked());
}

void TfrmRectProperty::done(int result) {
    rememberedTab() = tabs_->currentIndex();
    QDialog::done(result);
}

}  // namespace poremi
