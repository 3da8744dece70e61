#include "objects/dialogs/shape_fill_panel.h"

#include "objects/dialogs/color_grid.h"

#include <QtGui/QPainter>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

namespace poremi {

ShapeFillPanel::ShapeFillPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    grid_ = new TColGrid(this);
    connect(grid_, &TColGrid::colorChosen, this, [this](std::uint32_t color) { choose(TColor(color)); });
    layout->addWidget(grid_);
    sample_ = new QLabel(QStringLiteral("選択中の色"), this);
    sample_->setToolTip(QStringLiteral("現在選択されている色です"));
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setAutoFillBackground(true);
    sample_->setMinimumHeight(24);
    layout->addWidget(sample_);
    layout->addStretch();
    showSample();
}

void ShapeFillPanel::load(const TColorSpec& fill) {
    fill_.assign(fill);
    showSample();
}

void ShapeFillPanel::read(TColorSpec& fill) const {
    TColorSpec copy;
    copy.assign(fill_);
    if (!isEnabled() || copy.kind() != TColorSpecKind::cskBitmap) copy.imageData().picture().clear();
    fill.assign(copy);
}

void ShapeFillPanel::setPicture(const TPicture& picture, const TRect& clip) {
    fill_.setKind(TColorSpecKind::cskBitmap);
    fill_.setTile(false);
    fill_.setTileShift(false);
    fill_.imageData().picture().assign(picture);
    fill_.imageData().clipFilter().setClipRect(clip);
    showSample();
    if (onChange) onChange();
}

void ShapeFillPanel::choose(TColor color) {
    fill_.setKind(TColorSpecKind::cskSolid);
    fill_.setStyle(TBrushStyle::bsSolid);
    fill_.setColor(color);
    showSample();
    if (onChange) onChange();
}

void ShapeFillPanel::showSample() {
    if (fill_.kind() == TColorSpecKind::cskBitmap && !fill_.imageData().isEmpty()) {
        // The picture as cut, stretched over the strip.
        QPixmap shown(grid_->sizeHint().width(), sample_->minimumHeight());
        shown.fill(Qt::white);
        QPainter painter(&shown);
        fill_.imageData().draw(painter, shown.rect());
        painter.end();
        sample_->setPixmap(shown);
        return;
    }
    sample_->setText(QStringLiteral("選択中の色"));
    // The caption in the colour XOR RGB(170, 170, 170) stays readable on any colour.
    const QColor color = toQColor(fill_.color());
    const QColor caption = toQColor(fill_.color() ^ 0xAAAAAA);
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::WindowText, caption);
    sample_->setPalette(palette);
}

}  // namespace poremi
