#include "objects/dialogs/shape_fill_panel.h"

#include <QtGui/QPixmap>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace poremi {
namespace {

constexpr TColor rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

QColor qColorOf(TColor color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

}  // namespace

const std::array<TColor, 40>& ShapeFillPanel::paletteColors() {
    static const std::array<TColor, 40> colors{
        rgb(0, 0, 0),       rgb(255, 0, 0),     rgb(255, 255, 0),   rgb(0, 255, 0),     rgb(0, 255, 255),
        rgb(0, 0, 255),     rgb(255, 0, 255),   rgb(255, 255, 255), rgb(128, 128, 128), rgb(128, 0, 0),
        rgb(128, 128, 0),   rgb(0, 128, 0),     rgb(0, 128, 128),   rgb(0, 0, 128),     rgb(128, 0, 128),
        rgb(192, 192, 192), rgb(63, 63, 63),    rgb(255, 127, 127), rgb(255, 255, 127), rgb(127, 255, 127),
        rgb(127, 255, 255), rgb(127, 127, 255), rgb(255, 127, 255), rgb(127, 63, 191),  rgb(63, 127, 191),
        rgb(191, 127, 127), rgb(191, 191, 127), rgb(127, 191, 127), rgb(127, 191, 191), rgb(127, 127, 191),
        rgb(191, 127, 191), rgb(191, 127, 63),  rgb(63, 191, 127),  rgb(255, 191, 127), rgb(191, 255, 127),
        rgb(127, 255, 191), rgb(127, 191, 255), rgb(191, 127, 255), rgb(255, 127, 191), rgb(191, 63, 127),
    };
    return colors;
}

ShapeFillPanel::ShapeFillPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    for (int i = 0; i < 40; ++i) {
        auto* button = new QToolButton(this);
        QPixmap swatch(16, 16);
        swatch.fill(qColorOf(paletteColors()[std::size_t(i)]));
        button->setIcon(swatch);
        button->setAutoRaise(true);
        const TColor color = paletteColors()[std::size_t(i)];
        connect(button, &QToolButton::clicked, this, [this, color] { choose(color); });
        grid->addWidget(button, i / 8, i % 8);
        buttons_[std::size_t(i)] = button;
    }
    layout->addLayout(grid);
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

void ShapeFillPanel::choose(TColor color) {
    fill_.setKind(TColorSpecKind::cskSolid);
    fill_.setStyle(TBrushStyle::bsSolid);
    fill_.setColor(color);
    showSample();
    if (onChange) onChange();
}

void ShapeFillPanel::showSample() {
    // The caption in the colour XOR RGB(170, 170, 170) stays readable on any colour.
    const QColor color = qColorOf(fill_.color());
    const QColor caption = qColorOf(fill_.color() ^ 0xAAAAAA);
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::WindowText, caption);
    sample_->setPalette(palette);
}

}  // namespace poremi
