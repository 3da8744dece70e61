#include "objects/dialogs/text_position_panel.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDoubleSpinBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QSpinBox>
#include <cmath>

namespace poremi {
namespace {

// Shown millimetres to document units, halves to even.
int toUnits(double millimetres) { return int(std::nearbyint(millimetres * 10)); }

}  // namespace

TextPositionPanel::TextPositionPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    angle_ = new QSpinBox;
    angle_->setObjectName(QStringLiteral("seAngle"));
    angle_->setRange(-360, 360);
    left_ = lengthBox(QStringLiteral("seLeft"), -1000);
    left_->setToolTip(QStringLiteral("ﾗﾍﾞﾙの左端からの位置を指定します"));
    top_ = lengthBox(QStringLiteral("seTop"), -1000);
    top_->setToolTip(QStringLiteral("ﾗﾍﾞﾙの上端からの位置を指定します"));
    width_ = lengthBox(QStringLiteral("seWidth"), 2);
    height_ = lengthBox(QStringLiteral("seHeight"), 2);
    const struct {
        const char* caption;
        QWidget* box;
        const char* unit;
    } rows[] = {{"回転(&R)", angle_, "度"},
                {"左(&L)", left_, "mm"},
                {"上(&T)", top_, "mm"},
                {"幅(&W)", width_, "mm"},
                {"高さ(&H)", height_, "mm"}};
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(QString::fromUtf8(r.caption));
        label->setBuddy(r.box);
        layout->addWidget(label, row, 0);
        layout->addWidget(r.box, row, 1);
        layout->addWidget(new QLabel(QString::fromUtf8(r.unit)), row, 2);
        ++row;
    }
    dontPrint_ = new QCheckBox(QStringLiteral("印刷しない(&P)"));
    dontPrint_->setObjectName(QStringLiteral("chkDontPrint"));
    dontPrint_->setToolTip(QStringLiteral("ﾗﾍﾞﾙｼｰﾄ印刷時に印刷しないようにします"));
    locked_ = new QCheckBox(QStringLiteral("ロックする(&K)"));
    locked_->setObjectName(QStringLiteral("chkLock"));
    locked_->setToolTip(QStringLiteral("移動やｻｲｽﾞ変更できないようにします"));
    autoSize_ = new QCheckBox(QStringLiteral("自動サイズ調整(&A)"));
    autoSize_->setObjectName(QStringLiteral("chkAutoSize"));
    autoSize_->setToolTip(QStringLiteral("ｵﾌﾞｼﾞｪｸﾄの幅と高さを自動的に調整します"));
    layout->addWidget(dontPrint_, 0, 3);
    layout->addWidget(locked_, 1, 3);
    layout->addWidget(autoSize_, 2, 3);
    layout->setColumnStretch(4, 1);
    layout->setRowStretch(row, 1);
    connect(autoSize_, &QCheckBox::toggled, this, [this](bool on) {
        width_->setEnabled(!on);
        height_->setEnabled(!on);
    });
}

QDoubleSpinBox* TextPositionPanel::lengthBox(const QString& name, double minimum) {
    auto* box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setDecimals(1);
    box->setRange(minimum, 1000);
    box->setSingleStep(1);
    return box;
}

void TextPositionPanel::setPosition(const TextPosition& position) {
    angle_->setValue(position.angle);
    left_->setValue(position.rect.left / 10.0);
    top_->setValue(position.rect.top / 10.0);
    width_->setValue((double(position.rect.right) - position.rect.left) / 10.0);
    height_->setValue((double(position.rect.bottom) - position.rect.top) / 10.0);
    dontPrint_->setChecked(position.dontPrint);
    locked_->setChecked(position.locked);
    autoSize_->setChecked(position.autoSize);
    width_->setEnabled(!position.autoSize);
    height_->setEnabled(!position.autoSize);
}

TextPosition TextPositionPanel::position() const {
    TextPosition position;
    position.angle = angle_->value();
    position.locked = locked_->isChecked();
    position.dontPrint = dontPrint_->isChecked();
    position.autoSize = autoSize_->isChecked();
    const int left = toUnits(left_->value());
    const int top = toUnits(top_->value());
    position.rect = TRect{left, top, left + toUnits(width_->value()), top + toUnits(height_->value())};
    return position;
}

}  // namespace poremi
