#include "edit/select_ghost.h"

#include "edit/draw_site_widget.h"

#include <QtGui/QPainter>

namespace poremi {

void TSelectGhost::begin(QPoint start) {
    start_ = start;
    end_ = start;
}

QRect TSelectGhost::bandPixels() const {
    return QRect(site().logToPixel(start_), site().logToPixel(end_)).normalized();
}

void TSelectGhost::paint(QPainter& painter) const {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    const QRect band = bandPixels();
    painter.drawRect(band.adjusted(0, 0, -1, -1));
}

QRect TSelectGhost::paintBounds() const { return bandPixels(); }

void TSelectGhost::move(Qt::KeyboardModifiers, QPoint offset) { end_ = start_ + offset; }

void TSelectGhost::finish(Qt::KeyboardModifiers) { site().selectInRect(bandPixels().adjusted(0, 0, 1, 1)); }

}  // namespace poremi
