#include "objects/dialogs/shape_line_property.h"

#include "objects/dialogs/dialog_buttons.h"
#include "objects/dialogs/shape_fill_panel.h"
#include "objects/dialogs/shape_length_box.h"
#include "objects/dialogs/position_panel.h"
#include "objects/shape_line.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace poremi {

TfrmLineProperty::TfrmLineProperty(bool arc, QWidget* parent)
    : QDialog(parent),
      arc_(arc),
      tabs_(new QTabWidget(this)),
      lineWidth_(new ShapeLengthBox(0, 200)),
      lineFill_(new ShapeFillPanel),
      startX_(new ShapeLengthBox(0, 10000)),
      startY_(new ShapeLengthBox(0, 10000)),
      endX_(new ShapeLengthBox(0, 10000)),
      endY_(new ShapeLengthBox(0, 10000)),
      dontPrint_(makeDontPrintBox(nullptr)),
      lock_(makeLockBox(nullptr)) {
    setWindowTitle(arc ? QStringLiteral("円弧の設定") : QStringLiteral("直線の設定"));

    auto* color = new QWidget;
    auto* colorLayout = new QVBoxLayout(color);
    auto* widthRow = new QFormLayout;
    widthRow->addRow(QStringLiteral("線の太さ(&F)"), lineWidth_);
    colorLayout->addLayout(widthRow);
    colorLayout->addWidget(lineFill_);
    tabs_->addTab(color, QStringLiteral("線色"));

    auto* points = new QWidget;
    auto* pointsLayout = new QFormLayout(points);
    const QString fromLeft = QStringLiteral("ﾗﾍﾞﾙの左端からの位置を指定します");
    const QString fromTop = QStringLiteral("ﾗﾍﾞﾙの上端からの位置を指定します");
    startX_->setToolTip(fromLeft);
    endX_->setToolTip(fromLeft);
    startY_->setToolTip(fromTop);
    endY_->setToolTip(fromTop);
    pointsLayout->addRow(QStringLiteral("始点Ｘ(&A)"), startX_);
    pointsLayout->addRow(QStringLiteral("始点Ｙ(&B)"), startY_);
    pointsLayout->addRow(QStringLiteral("終点Ｘ(&C)"), endX_);
    pointsLayout->addRow(QStringLiteral("終点Ｙ(&D)"), endY_);
    pointsLayout->addRow(dontPrint_);
    pointsLayout->addRow(lock_);
    tabs_->addTab(points, QStringLiteral("位置"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(makeDialogButtons(*this));
    tabs_->setCurrentIndex(rememberedTab());
}

int& TfrmLineProperty::rememberedTab() const {
    static int lineTab = 0;
    static int arcTab = 0;
    return arc_ ? arcTab : lineTab;
}

void TfrmLineProperty::load(const TLOLine& line) {
    lineWidth_->setValue(line.lineWidth());
    lineFill_->load(line.lineColor());
    startX_->setValue(line.startX());
    startY_->setValue(line.startY());
    endX_->setValue(line.endX());
    endY_->setValue(line.endY());
    dontPrint_->setChecked(line.dontPrint());
    lock_->setChecked(!line.movable());
}

void TfrmLineProperty::store(TLOLine& line) const {
    ChangeBracket bracket(line.changeNotify());
    lineFill_->read(line.lineColorObject());
    line.setLineWidth(lineWidth_->value());
    line.setPoints({startX_->value(), startY_->value()}, {endX_->value(), endY_->value()});
    line.setMovable(!lock_->isChecked());
    line.setDontPrint(dontPrint_->isChecked());
}

void TfrmLineProperty::done(int result) {
    rememberedTab() = tabs_->currentIndex();
    QDialog::done(result);
}

}  // namespace poremi
