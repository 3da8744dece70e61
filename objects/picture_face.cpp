#include "objects/picture_face.h"

#include "document/model/draw_site.h"
#include "document/stream/class_declaration.h"
#include "render/text/simple_text.h"

#include <QtGui/QPainter>

namespace poremi {

const TClassInfo& TLOFace::staticClassInfo() {
    static const TClassInfo info = describeClass<TLOFace, TLORectBase>("TLOFace");
    return info;
}

TLOFace::TLOFace(TComponent* owner, const TFaceInfo& face, int index) : TLORectBase(owner), face_(face), index_(index) {
    TLORectBase::setRect(face.outerRect());
}

void TLOFace::setFaceSelected(bool selected) {
    if (selected == faceSelected_) return;
    faceSelected_ = selected;
    changed();
    if (OnSelectionChanged) OnSelectionChanged(*this);
}

void TLOFace::setShowNumber(bool show) {
    if (show == showNumber_) return;
    showNumber_ = show;
    changed();
}

void TLOFace::press() {
    if (!singleSelection_) {
        setFaceSelected(!faceSelected_);
        return;
    }
    if (DrawSite* view = site())
        for (TDrawObject* object : view->drawObjects())
            if (auto* other = dynamic_cast<TLOFace*>(object); other && other != this) other->setFaceSelected(false);
    setFaceSelected(true);
}

bool TLOFace::hitTest(QPoint point) const { return face_.createRegion(false).contains(point); }

void TLOFace::setExtent(int width, int height) { setRect({left(), top(), left() + width, top() + height}); }

void TLOFace::strokeOutline(QPainter& painter) { face_.drawOutline(painter); }

void TLOFace::setRect(const TRect& rect) {
    if (site() && !movable()) return;
    face_.setOuterRect(normalizeRect(rect));
    TLORectBase::setRect(rect);
}

void TLOFace::paint(QPainter& painter) {
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(faceSelected_ ? QColor(selectionColor) : QColor(Qt::white));
    face_.drawOutline(painter);
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    face_.drawTrimLine(painter);
    painter.restore();
    if (showNumber_) paintNumber(painter);
}

void TLOFace::paintNumber(QPainter& painter) const {
    const int scale = site() ? site()->scaler().scale() : 100;
    TPointBasedFont font;
    font.setSize(std::max(1, 1200 / std::max(1, scale)));
    TSimpleText text;
    text.setFont(font);
    text.setTextColor(0xFF0000);
    text.setText({QStringLiteral("%1 [%2]").arg(index_).arg(face_.facePurpose)});
    const TRect& r = rect();
    text.draw(painter, {r.left, r.top, r.left + 0x100000, r.top + text.lineHeight()});
}

}  // namespace poremi
