#include "objects/dialogs/color_grid.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QStyleOptionButton>
#include <QtWidgets/QVBoxLayout>

namespace poremi {
namespace {

constexpr std::uint32_t rgb(int r, int g, int b) { return std::uint32_t(r) | std::uint32_t(g) << 8 | std::uint32_t(b) << 16; }
constexpr int kCell = 18;

}  // namespace

const std::array<std::uint32_t, 40>& paletteColors() {
    static constexpr std::array<std::uint32_t, 40> colors = {
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

QColor toQColor(std::uint32_t color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

TColGrid::TColGrid(QWidget* parent) : QWidget(parent) { setFixedSize(sizeHint()); }

QSize TColGrid::sizeHint() const { return {kColumns * kCell + 1, kRows * kCell + 1}; }

QRect TColGrid::cellRect(int index) const {
    return {index % kColumns * kCell, index / kColumns * kCell, kCell, kCell};
}

int TColGrid::cellAt(QPoint point) const {
    if (point.x() < 0 || point.y() < 0) return -1;
    const int column = point.x() / kCell, row = point.y() / kCell;
    return column < kColumns && row < kRows ? row * kColumns + column : -1;
}

void TColGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < kColumns * kRows; ++i) {
        const QRect cell = cellRect(i);
        painter.fillRect(cell.adjusted(2, 2, -1, -1), toQColor(paletteColors()[i]));
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(cell.adjusted(1, 1, -1, -1));
    }
}

void TColGrid::mouseReleaseEvent(QMouseEvent* event) {
    const int cell = cellAt(event->position().toPoint());
    if (cell >= 0) emit colorChosen(paletteColors()[cell]);
}

ColorButton::ColorButton(QWidget* parent) : QPushButton(parent) {
    setMinimumSize(48, 24);
    connect(this, &QPushButton::clicked, this, &ColorButton::dropDown);
}

void ColorButton::setColor(std::uint32_t color) {
    color &= 0xFFFFFF;
    if (color == color_) return;
    color_ = color;
    update();
    emit colorChanged(color_);
}

void ColorButton::dropDown() {
    if (!popup_) {
        popup_ = new QWidget(this, Qt::Popup);
        auto* layout = new QVBoxLayout(popup_);
        layout->setContentsMargins(2, 2, 2, 2);
        palette_ = new TColGrid(popup_);
        layout->addWidget(palette_);
        connect(palette_, &TColGrid::colorChosen, this, [this](std::uint32_t color) {
            popup_->hide();
            setColor(color);
        });
    }
    popup_->move(mapToGlobal(rect().bottomLeft()));
    popup_->show();
}

void ColorButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const QRect swatch = rect().adjusted(6, 6, -7, -7);
    painter.fillRect(swatch, toQColor(color_));
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(swatch);
}

}  // namespace poremi
