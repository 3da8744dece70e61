#include "objects/dialogs/shape_line_property.h"

#include "objects/dialogs/dialog_buttons.h"
#include "objects/dialogs/shape_fill_panel.h"
#include "objects/dialogs/shape_length_box.h"
#include "objects/dialogs/shape_line_ends.h"
#include "objects/shape_line.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace poremi {

TfrmLineProperty::~TfrmLineProperty() = default;

TfrmLineProperty::TfrmLineProperty(bool arc, QWidget* parent)
    : QDialog(parent),
      arc_(arc),
      tabs_(new QTabWidget(this)),
      lineWidth_(new ShapeLengthBox(0, 200)),
      lineFill_(new ShapeFillPanel),
      ends_(std::make_unique<ShapeLineEnds>()) {
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
    ends_->addPointRowsTo(*pointsLayout);
    ends_->addFlagRowsTo(*pointsLayout);
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
    ends_->load(line);
}

void TfrmLineProperty::store(TLOLine& line) const {
    ChangeBracket bracket(line.changeNotify());
    lineFill_->read(line.lineColorObject());
    line.setLineWidth(lineWidth_->value());
    ends_->store(line);
}

void TfrmLineProperty::done(int result) {
    rememberedTab() = tabs_->currentIndex();
    QDialog::done(result);
}

}  // namespace poremi
