#include "edit/ruler.h"

#include <QtGui/QLinearGradient>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <algorithm>
#include <limits>

namespace poremi {

TRuler::TRuler(Kind kind, QWidget* parent)
    : QWidget(parent), kind_(kind), color_(palette().color(QPalette::Button)), endColor_(palette().color(QPalette::Button)) {
    if (kind_ == rkHorizontal)
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    else
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

QSize TRuler::sizeHint() const {
    const int d = fontMetrics().height() + 12;
    return kind_ == rkHorizontal ? QSize(200, d) : QSize(d, 200);
}

void TRuler::setScale(int scale) {
    if (scale <= 0 || scale == scale_) return;
    scale_ = scale;
    update();
}

void TRuler::setPrintNum(bool printNum) {
    printNum_ = printNum;
    update();
}

void TRuler::setPercentage5(int percent) {
    percentage5_ = std::clamp(percent, 0, 100);
    update();
}

void TRuler::setPercentage1(int percent) {
    percentage1_ = std::clamp(percent, 0, 100);
    update();
}

void TRuler::setRulerOffset(int pixels) {
    if (pixels == rulerOffset_) return;
    rulerOffset_ = pixels;
    update();
}

void TRuler::setRulerLength(int millimetres) {
    rulerLength_ = std::max(millimetres, 0);
    update();
}

void TRuler::setColor(QColor color) {
    color_ = color;
    update();
}

void TRuler::setEndColor(QColor color) {
    endColor_ = color;
    update();
}

void TRuler::setResolution(DeviceResolution resolution) {
    resolution_ = resolution;
    update();
}

int TRuler::pixelOf(int units) const {
    TScaler scaler;
    scaler.setUnitDpi(254);
    scaler.setScale(scale_);
    const DeviceResolution device = resolution_.value_or(screenResolution());
    const QPoint p = scaler.logToDevPoint(device, {units, units});
    return rulerOffset_ + (kind_ == rkHorizontal ? p.x() : p.y());
}

int TRuler::unitsAt(int pixel) const {
    TScaler scaler;
    scaler.setUnitDpi(254);
    scaler.setScale(scale_);
    const DeviceResolution device = resolution_.value_or(screenResolution());
    const int v = pixel - rulerOffset_;
    const QPoint p = scaler.devToLogPoint(device, {v, v});
    return kind_ == rkHorizontal ? p.x() : p.y();
}

void TRuler::setPointer(std::optional<int> units) {
    if (units == pointer_) return;
    pointer_ = units;
    update();
}

void TRuler::setSelection(std::optional<std::pair<int, int>> units) {
    if (units == selection_) return;
    selection_ = units;
    update();
}

void TRuler::paintTicks(QPainter& painter) const {
    const int labelSize = printNum_ ? fontMetrics().height() : 0;
    const int tickSpace = std::max(depth() - labelSize, 0);
    const int stepMm = pixelOf(10) - pixelOf(0) <= 2 ? 2 : 1;
    // Ticks stand on the edge next to the site: the bottom of a horizontal ruler, the right of
    // a vertical one.
    const auto tick = [&](int at, int size, int width) {
        painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
        if (kind_ == rkHorizontal)
            painter.drawLine(QPointF(at + 0.5, depth()), QPointF(at + 0.5, depth() - size));
        else
            painter.drawLine(QPointF(depth(), at + 0.5), QPointF(depth() - size, at + 0.5));
    };
    const int first = std::max(0, (unitsAt(0) / 10 - 1) / stepMm * stepMm);
    int labelsEnd = std::numeric_limits<int>::min();  // labels that would overlap the last one are left out
    for (int mm = first; mm <= rulerLength_; mm += stepMm) {
        const int at = pixelOf(mm * 10);
        if (at > length() + 20) break;
        if (mm % 10 == 0) {
            tick(at, tickSpace, 3);
            if (!printNum_) continue;
            const QString label = QString::number(mm);
            const int textWidth = fontMetrics().horizontalAdvance(label);
            const int extent = kind_ == rkHorizontal ? width() : height();
            if (at < 0 || at > extent || textWidth > extent) continue;
            // A label at either end is pushed inside rather than cut or left out.
            const int start = std::clamp(at - textWidth / 2, 0, extent - textWidth);
            if (start < labelsEnd + 4) continue;
            labelsEnd = start + textWidth;
            painter.save();
            painter.setPen(palette().color(QPalette::ButtonText));
            if (kind_ == rkHorizontal) {
                painter.drawText(QRect(start, 0, textWidth, labelSize), Qt::AlignCenter, label);
            } else {
                // Turned a quarter: the text reads upwards.
                painter.translate(0, start + textWidth);
                painter.rotate(-90);
                painter.drawText(QRect(0, 0, textWidth, labelSize), Qt::AlignCenter, label);
            }
            painter.restore();
        } else if (mm % 5 == 0) {
            tick(at, tickSpace * percentage5_ / 100, 1);
        } else {
            tick(at, tickSpace * percentage1_ / 100, 1);
        }
    }
    // Both ends.
    tick(pixelOf(0), depth(), 1);
    tick(pixelOf(rulerLength_ * 10), depth(), 1);
}

void TRuler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (color_ == endColor_) {
        painter.fillRect(rect(), color_);
    } else {
        QLinearGradient gradient(0, 0, kind_ == rkHorizontal ? 0 : width(), kind_ == rkHorizontal ? height() : 0);
        gradient.setColorAt(0, color_);
        gradient.setColorAt(1, endColor_);
        painter.fillRect(rect(), gradient);
    }
    if (selection_) {
        const int from = pixelOf(selection_->first);
        const int to = pixelOf(selection_->second);
        const QRect band = kind_ == rkHorizontal ? QRect(QPoint(from, 0), QPoint(to, height())) : QRect(QPoint(0, from), QPoint(width(), to));
        painter.fillRect(band.normalized(), QColor(255, 255, 255, 160));
    }
    paintTicks(painter);
    if (pointer_) {
        const int at = pixelOf(*pointer_);
        painter.setPen(QPen(QColor(255, 0, 0), 1));
        if (kind_ == rkHorizontal)
            painter.drawLine(at, 0, at, height());
        else
            painter.drawLine(0, at, width(), at);
    }
}

void TRuler::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    emit guidePressed(unitsAt(along(event->position().toPoint())), event->globalPosition().toPoint());
}

}  // namespace poremi
