#include "edit/pivot.h"

#include "document/model/draw_object.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPixmap>

namespace poremi {

QRect TPivot::pixelRect(QPoint pixel) const {
    const int s = size();
    return {pixel.x() - s / 2, pixel.y() - s / 2, s, s};
}

void TPivot::paint(QPainter& painter, QPoint pixel) const {
    const QRect r = pixelRect(pixel);
    const QRectF inner = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool locked = owner && !owner->movable();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    PivotKind shown = kind;
    if (locked) shown = kind == PivotKind::Bulge ? PivotKind::Plain : PivotKind::Label;
    switch (shown) {
    case PivotKind::Plain:
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(r, Qt::black);
        break;
    case PivotKind::Label:
        painter.setPen(QPen(locked ? Qt::black : Qt::white, 1));
        painter.setBrush(locked ? Qt::white : Qt::black);
        painter.drawRect(inner);
        break;
    case PivotKind::Rotate:
    case PivotKind::Bulge:
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(shown == PivotKind::Rotate ? QColor(0, 255, 0) : QColor(255, 0, 0));
        painter.drawEllipse(inner);
        break;
    }
    painter.restore();
}

const QCursor& rotationCursor() {
    // Kept for the process lifetime: a cursor must not outlive the application object.
    static const QCursor* cursor = [] {
        QPixmap pixmap(24, 24);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath arrow;
        arrow.arcMoveTo(4, 4, 16, 16, 60);
        arrow.arcTo(4, 4, 16, 16, 60, 270);
        for (const auto& [colour, width] : {std::pair{Qt::white, 4.0}, std::pair{Qt::black, 2.0}}) {
            p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(arrow);
            const QPointF tip = arrow.pointAtPercent(1);
            p.setBrush(colour == Qt::white ? Qt::white : Qt::black);
            p.drawPolygon(QPolygonF{tip + QPointF(-5, -3), tip + QPointF(4, -4), tip + QPointF(0, 5)});
        }
        return new QCursor(pixmap, 12, 12);
    }();
    return *cursor;
}

}  // namespace poremi
