#include "edit/paper_site.h"

#include "document/model/draw_object.h"
#include "paper/paper_info.h"

#include <QtCore/QEvent>
#include <QtGui/QMouseEvent>
#include <algorithm>

namespace poremi {

TPaperSite::TPaperSite(QWidget* parent) : TDrawSite(parent) {
    scaler().setUnitDpi(254);
    if (parent) parent->installEventFilter(this);
}

void TPaperSite::clearFaces() {
    hideHandles();
    for (TDrawObject* face : faces_) delete face;
    faces_.clear();
}

void TPaperSite::setPaper(const TPaperInfo* paper) {
    clearFaces();
    paper_ = paper;
    if (!paper_) {
        setLogSize(0, 0);
        return;
    }
    setLogSize(paper_->width(), paper_->height());
    fitToParent();
    for (int i = 0; i < paper_->getFaceCount(); ++i) {
        std::unique_ptr<TDrawObject> face = faceMaker_ ? faceMaker_(*paper_, i, *this) : nullptr;
        TDrawObject* shown = face.release();
        if (shown) {
            insertComponent(shown);
            addDrawObject(*shown);
        }
        faces_.push_back(shown);
    }
    setModified(false);
    invalidateObjects();
}

void TPaperSite::fitToParent() {
    QWidget* parent = parentWidget();
    if (!parent) return;
    const QSize room = parent->contentsRect().size();
    scaler().setScale(fitScale(room, true, true));
    move(parent->contentsRect().x() + std::max(0, (room.width() - width()) / 2),
         parent->contentsRect().y() + std::max(0, (room.height() - height()) / 2));
}

bool TPaperSite::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) fitToParent();
    return TDrawSite::eventFilter(watched, event);
}

void TPaperSite::mousePressEvent(QMouseEvent* event) {
    TDrawObject* hit = objectAt(pixelToLog(event->position().toPoint()));
    const auto found = std::ranges::find(faces_, hit);
    pressedFace_ = hit && found != faces_.end() ? int(found - faces_.begin()) : -1;
    if (!multiSelect_) event->setModifiers(event->modifiers() & ~Qt::ShiftModifier);
    TDrawSite::mousePressEvent(event);
}

void TPaperSite::mouseReleaseEvent(QMouseEvent* event) {
    const int face = pressedFace_;
    pressedFace_ = -1;
    TDrawSite::mouseReleaseEvent(event);
    if (face >= 0 && event->button() == Qt::LeftButton) emit faceClicked(face);
}

}  // namespace poremi
