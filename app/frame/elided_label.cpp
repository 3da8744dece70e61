#include "app/frame/elided_label.h"

#include <QtGui/QPainter>

namespace poremi {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setToolTip(text);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QSize ElidedLabel::minimumSizeHint() const {
    const QSize full = QLabel::minimumSizeHint();
    return {fontMetrics().horizontalAdvance(QStringLiteral("…")) + 2 * (frameWidth() + margin()), full.height()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(room, int(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

}  // namespace poremi
