#include "edit/clip_editor.h"

#include "document/stream/class_declaration.h"
#include "edit/ghost.h"
#include "edit/move_ghost.h"

#include <QtCore/QEvent>
#include <QtGui/QPainter>
#include <algorithm>

namespace poremi {

const TClassInfo& TClipObject::staticClassInfo() {
    static const TClassInfo info = describeClass<TClipObject, TLORectBase>("TClipObject");
    return info;
}

void TClipObject::setExtent(int width, int height) {
    setWidth(width);
    setHeight(height);
}

void TClipObject::strokeOutline(QPainter& painter) { painter.drawRect(rect().toQRectF()); }

void TClipObject::beginDrag(int handle) {
    if (!drawSiteOf(*this)) return;
    if (handle == handle::move)
        TGhostList::instance().addGhost(std::make_unique<TMoveGhost>(*this, MoveOptions{}, true));
    else if (handle >= 0 && handle <= 7)
        TGhostList::instance().addGhost(std::make_unique<TClipResizeGhost>(*this, handle));
    else
        TLORectBase::beginDrag(handle);
}

void TClipObject::paint(QPainter& painter) {
    if (onDrawFrame) onDrawFrame(painter, rect());
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().toQRectF());
    painter.restore();
}

void TClipResizeGhost::move(Qt::KeyboardModifiers modifiers, QPoint offset) {
    const auto* clip = dynamic_cast<const TClipObject*>(object());
    if (clip && clip->aspectLocked()) modifiers &= ~Qt::ShiftModifier;
    TRectGhost::move(modifiers, offset);
}

TClipEditor::TClipEditor(QWidget* parent) : TDrawSite(parent), clip_(new TClipObject(this)) {
    scaler().setUnitDpi(96);
    setBorder(false);
    onPaint = [this](QPainter& painter) {
        if (picture_.isNull()) return;
        const QPoint d = marginOffset();
        painter.drawImage(QRectF(d.x(), d.y(), picture_.width(), picture_.height()), picture_);
    };
    if (parent) parent->installEventFilter(this);
}

QPoint TClipEditor::marginOffset() const { return {picture_.width() * margin_ / 100, picture_.height() * margin_ / 100}; }

void TClipEditor::setPicture(const QImage& picture) {
    picture_ = picture;
    layOut();
    setClipRect({0, 0, picture_.width(), picture_.height()});
}

void TClipEditor::setMargin(int percent) {
    const TRect clip = clipRect();
    margin_ = std::clamp(percent, 0, 255);
    layOut();
    setClipRect(clip);
}

void TClipEditor::layOut() {
    if (picture_.isNull()) return;
    const QPoint d = marginOffset();
    setLogSize(picture_.width() + 2 * d.x(), picture_.height() + 2 * d.y());
    if (clip_->site() != this) {
        addDrawObject(*clip_);
        clip_->setSelected(true);
    }
    fitToParent();
}

void TClipEditor::fitToParent() {
    QWidget* parent = parentWidget();
    if (!parent || picture_.isNull()) return;
    const QRect room = parent->contentsRect();
    scaler().setScale(fitScale(room.size(), true, true));
    move(room.x() + std::max(0, (room.width() - width()) / 2), room.y() + std::max(0, (room.height() - height()) / 2));
}

bool TClipEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) fitToParent();
    return TDrawSite::eventFilter(watched, event);
}

TRect TClipEditor::clipRect() const {
    const QPoint d = marginOffset();
    return offsetRect(clip_->rect(), -d.x(), -d.y());
}

void TClipEditor::setClipRect(const TRect& rect) {
    const QPoint d = marginOffset();
    clip_->setRect(offsetRect(rect, d.x(), d.y()));
    refreshHandles();
}

}  // namespace poremi
