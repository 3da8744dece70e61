#include "app/screens/menu_sheet_face.h"

#include <QtGui/QPainter>

namespace poremi {

void TLOFaceForSheet::setDragMark(DragMark mark) {
    if (mark == dragMark_) return;
    dragMark_ = mark;
    changed();
}

void TLOFaceForSheet::paint(QPainter& painter) {
    const TFaceInfo& face = faceInfo();
    painter.save();
    if (dragMark_ != DragMark::None) {
        const Qt::BrushStyle hatch = dragMark_ == DragMark::Copy ? Qt::DiagCrossPattern : Qt::CrossPattern;
        painter.fillPath(face.clipPath(true), QBrush(QColor::fromRgb(kHatchColor), hatch));
    }
    painter.setBrush(Qt::NoBrush);
    if (isFaceSelected()) {
        // A cosmetic pen twice as wide, clipped to the face, leaves the frame inside the outline.
        painter.save();
        painter.setClipPath(face.clipPath(true), Qt::IntersectClip);
        QPen frame(QColor::fromRgb(kFrameColor), 2 * kFramePixels);
        frame.setCosmetic(true);
        frame.setJoinStyle(Qt::MiterJoin);
        painter.setPen(frame);
        face.drawOutline(painter);
        painter.restore();
    } else {
        painter.setPen(QPen(Qt::black, 0));
        face.drawOutline(painter);
    }
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    face.drawTrimLine(painter);
    painter.restore();
}

}  // namespace poremi
