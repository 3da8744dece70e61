#include "app/screens/menu_sheet_site.h"

#include "app/screens/face_site.h"

#include <QtGui/QContextMenuEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>

namespace poremi {

TMenuSheetSite::TMenuSheetSite(QWidget* parent) : TDrawSite(parent) { scaler().setUnitDpi(254); }

void TMenuSheetSite::clearSheet() {
    cancelLabelDrag();
    hideHandles();
    faces_.clear();
    freeSiteObjects(*this);
}

void TMenuSheetSite::addFace(TLOFaceForSheet* face) {
    face->setSingleSelection(true);
    insertComponent(face);
    addDrawObject(*face);
    faces_.push_back(face);
}

int TMenuSheetSite::faceAt(QPoint pixel) const {
    const QPoint logical = pixelToLog(pixel);
    for (std::size_t i = 0; i < faces_.size(); ++i)
        if (faces_[i]->hitTest(logical)) return int(i);
    return -1;
}

void TMenuSheetSite::chooseFace(int index) {
    for (std::size_t i = 0; i < faces_.size(); ++i) faces_[i]->setFaceSelected(int(i) == index);
}

int TMenuSheetSite::chosenFace() const {
    for (std::size_t i = 0; i < faces_.size(); ++i)
        if (faces_[i]->isFaceSelected()) return int(i);
    return -1;
}

void TMenuSheetSite::cancelLabelDrag() {
    if (target_ >= 0 && target_ < int(faces_.size())) faces_[std::size_t(target_)]->setDragMark(TLOFaceForSheet::DragMark::None);
    pressed_ = -1;
    target_ = -1;
}

void TMenuSheetSite::markTarget(bool shift) {
    if (target_ < 0) return;
    faces_[std::size_t(target_)]->setDragMark(shift ? TLOFaceForSheet::DragMark::Move : TLOFaceForSheet::DragMark::Copy);
}

void TMenuSheetSite::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    cancelLabelDrag();
    const int face = faceAt(event->position().toPoint());
    // A press beside every face keeps the chosen face: the current label stays.
    if (face < 0) return;
    chooseFace(face);
    pressed_ = face;
    emit faceChosen(face);
}

void TMenuSheetSite::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(pixelToLog(event->position().toPoint()));
    if (pressed_ < 0 || !(event->buttons() & Qt::LeftButton)) return;
    const int face = faceAt(event->position().toPoint());
    if (face == target_ || face == pressed_) return;
    if (target_ >= 0) faces_[std::size_t(target_)]->setDragMark(TLOFaceForSheet::DragMark::None);
    target_ = face;
    markTarget(event->modifiers() & Qt::ShiftModifier);
}

void TMenuSheetSite::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const bool dragged = pressed_ >= 0 && target_ >= 0;
    cancelLabelDrag();
    if (dragged) emit labelDropped(faceAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void TMenuSheetSite::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const int face = faceAt(event->position().toPoint()); face >= 0) emit faceDoubleClicked(face);
}

// The Shift key arrives before (press) or after (release) the event's modifiers show it.
void TMenuSheetSite::keyPressEvent(QKeyEvent* event) {
    if (pressed_ < 0) return TDrawSite::keyPressEvent(event);
    if (event->key() == Qt::Key_Escape) return cancelLabelDrag();
    markTarget(event->key() == Qt::Key_Shift || (event->modifiers() & Qt::ShiftModifier));
}

void TMenuSheetSite::keyReleaseEvent(QKeyEvent* event) {
    if (pressed_ < 0) return TDrawSite::keyReleaseEvent(event);
    markTarget(event->key() != Qt::Key_Shift && (event->modifiers() & Qt::ShiftModifier));
}

void TMenuSheetSite::contextMenuEvent(QContextMenuEvent* event) {
    cancelLabelDrag();
    emit faceMenuRequested(event->globalPos(), faceAt(event->pos()));
}

void TMenuSheetSite::focusOutEvent(QFocusEvent* event) {
    cancelLabelDrag();
    TDrawSite::focusOutEvent(event);
}

}  // namespace poremi
