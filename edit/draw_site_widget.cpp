#include "edit/draw_site_widget.h"

#include "document/model/draw_object.h"
#include "document/model/grid_guide.h"
#include "document/model/label_object.h"
#include "document/model/object_actions.h"
#include "edit/ghost.h"
#include "edit/grid_guide_view.h"
#include "edit/millimetre_text.h"
#include "edit/select_ghost.h"
#include "render/geometry/scaler.h"

#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QAbstractScrollArea>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>
#include <algorithm>
#include <cmath>
#include <ranges>

namespace poremi {

TDrawSite* drawSiteOf(const TDrawObject& object) { return dynamic_cast<TDrawSite*>(object.site()); }

TDrawSite::TDrawSite(QWidget* parent)
    : QWidget(parent), objectListener_([this](MessageSender sender, const Guid& message) { objectNotified(sender, message); }) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    scaler().OnChange = [this] { layout(); };
}

TDrawSite::~TDrawSite() {
    scaler().OnChange = nullptr;
    TGhostList& ghosts = TGhostList::instance();
    if (ghosts.site() == this || (!ghosts.isStarted() && !ghosts.isEmpty())) ghosts.clear();
}

void TDrawSite::setLogSize(int width, int height) {
    if (QSize(width, height) == logicalSize()) return;
    setLogicalSize(QSize(std::max(width, 0), std::max(height, 0)));
    layout();
}

void TDrawSite::setResolution(DeviceResolution resolution) {
    fixedResolution_ = resolution;
    layout();
}

DeviceResolution TDrawSite::resolution() const {
    return fixedResolution_.value_or(screenResolution());
}

void TDrawSite::layout() {
    const bool hidden = hideHandles();
    const TRect pixels = scaler().logToDevRect(resolution(), logicalArea());
    resize(std::max(pixels.right, 0) + 1, std::max(pixels.bottom, 0) + 1);
    for (TDrawObject* object : drawObjects()) object->updateControlBounds();
    invalidateObjects();
    if (hidden) refreshHandles();
    emit scalerChanged();
}

void TDrawSite::setBorder(bool border) {
    border_ = border;
    invalidateObjects();
}

void TDrawSite::setColor(QColor color) {
    color_ = color;
    invalidateObjects();
}

QPoint TDrawSite::logToPixel(QPoint logical) const { return scaler().logToDevPoint(resolution(), logical); }

QPoint TDrawSite::pixelToLog(QPoint pixel) const { return scaler().devToLogPoint(resolution(), pixel); }

QRect TDrawSite::logToPixelRect(const TRect& logical) const {
    const TRect r = scaler().logToDevRect(resolution(), normalizeRect(logical));
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
}

int TDrawSite::fitScale(QSize pixels, bool fitWidth, bool fitHeight) const {
    TScaler full;
    full.setUnitDpi(scaler().unitDpi());
    const TRect at100 = full.logToDevRect(resolution(), logicalArea());
    // An area or a view of no size gives nothing to fit.
    const auto fit = [](int available, int needed) { return available > 0 && needed > 0 ? std::max(1, 100 * available / needed) : 100; };
    const int byWidth = fit(pixels.width(), at100.right);
    const int byHeight = fit(pixels.height(), at100.bottom);
    if (fitWidth && fitHeight) return std::min(byWidth, byHeight);
    if (fitHeight) return byHeight;
    if (fitWidth) return byWidth;
    return 100;
}

TDrawObject* TDrawSite::objectAt(QPoint logical) const {
    for (TDrawObject* object : drawObjects() | std::views::reverse)
        if (object->isVisible() && object->hitTest(logical)) return object;
    return nullptr;
}

std::vector<TDrawObject*> TDrawSite::collectObjects(bool selectedOnly) const {
    std::vector<TDrawObject*> found;
    for (TDrawObject* object : drawObjects() | std::views::reverse)
        if (!selectedOnly || object->isSelected()) found.push_back(object);
    return found;
}

void TDrawSite::selectAll(bool select) {
    for (TDrawObject* object : collectObjects(!select)) object->setSelected(select);
}

void TDrawSite::selectInRect(const QRect& pixels) {
    for (TDrawObject* object : collectObjects(false))
        if (object->isVisible() && pixels.contains(object->controlBounds())) object->setSelected(true);
}

void TDrawSite::refreshHandles() {
    if (!handlesDirty_ || TGhostList::instance().isStarted()) return;
    for (const TPivot& pivot : pivots_) update(pivot.pixelRect(logToPixel(pivot.position)).adjusted(-1, -1, 1, 1));
    pivots_.clear();
    const std::vector<TDrawObject*> selected = collectObjects(true);
    for (TDrawObject* object : selected) object->showHandles();
    if (selected.size() > 1)
        for (TPivot& pivot : pivots_) pivot.cursor = Qt::ArrowCursor;
    handlesDirty_ = false;
}

bool TDrawSite::hideHandles() {
    handlesDirty_ = true;
    if (pivots_.empty()) return false;
    for (const TPivot& pivot : pivots_) update(pivot.pixelRect(logToPixel(pivot.position)).adjusted(-1, -1, 1, 1));
    pivots_.clear();
    return true;
}

void TDrawSite::addPivot(TPivot pivot) {
    update(pivot.pixelRect(logToPixel(pivot.position)).adjusted(-1, -1, 1, 1));
    pivots_.push_back(std::move(pivot));
}

const TPivot* TDrawSite::pivotAt(QPoint pixel) const {
    for (const TPivot& pivot : pivots_ | std::views::reverse)
        if (pivot.pixelRect(logToPixel(pivot.position)).contains(pixel)) return &pivot;
    return nullptr;
}

void TDrawSite::setGridGuide(TGrid* grid, TGuide* guide) {
    grid_ = grid;
    guide_ = guide;
    invalidateObjects();
}

SnapFunction TDrawSite::gridGuideSnap() const {
    return [this](QPoint point) {
        SnapOffset offset;
        if (guide_) {
            const int tolerance = std::abs(pixelToLog(QPoint(10, 0)).x() - pixelToLog(QPoint(0, 0)).x());
            offset = guideSnapOffset(*guide_, point, tolerance);
        }
        if (grid_) offset = closerOffset(offset, gridSnapOffset(*grid_, point));
        return offset;
    };
}

SnapOffset TDrawSite::snap(std::span<const QPoint> points, Qt::KeyboardModifiers modifiers) const {
    if (modifiers & Qt::AltModifier) return {};
    return snapOffset(snapFunction, points);
}

void TDrawSite::setModified(bool modified) {
    const bool was = isModified();
    if (modified && !was) {
        madeModifiedBy_.clear();
        for (const TDrawObject* object : drawObjects())
            if (std::ranges::find(known_, object) == known_.end()) madeModifiedBy_.push_back(object);
    }
    DrawSite::setModified(modified);
    if (modified) invalidateObjects();
    if (was != modified && onModifyChanged) onModifyChanged();
}

bool TDrawSite::wasModifiedBeforeAdding(const TDrawObject& object) const {
    return isModified() && std::ranges::find(madeModifiedBy_, &object) == madeModifiedBy_.end();
}

void TDrawSite::clearGhosts() {
    TGhostList& ghosts = TGhostList::instance();
    if (!ghosts.isEmpty() || ghosts.isStarted()) ghosts.clear();
}

void TDrawSite::setSiteCursor(Qt::CursorShape shape) {
    siteCursor_ = shape;
    setCursor(shape);
}

QPoint TDrawSite::visibleCentre() const {
    const QRect visible = visibleRegion().boundingRect();
    if (visible.isEmpty()) return DrawSite::visibleCentre();
    return pixelToLog(visible.center());
}

void TDrawSite::invalidateObjects() {
    layerDirty_ = true;
    update();
}

void TDrawSite::orderChanged() {
    known_.clear();
    for (TDrawObject* object : drawObjects()) {
        objectListener_.listenTo(object->changeNotify());
        known_.push_back(object);
    }
    handlesDirty_ = true;
    invalidateObjects();
    if (!TGhostList::instance().isStarted()) QTimer::singleShot(0, this, [this] { refreshHandles(); });
}

void TDrawSite::objectNotified(const void* sender, const Guid& message) {
    const auto shown = std::ranges::find(drawObjects(), sender);
    if (shown == drawObjects().end()) return;
    TDrawObject* object = *shown;
    if (message == msgChanged) {
        object->updateControlBounds();
        invalidateObjects();
        if (object->isSelected()) {
            handlesDirty_ = true;
            refreshHandles();
            emit selectionChanged();
        }
    } else if (message == msgSelectionChanged || message == msgMovableChanged) {
        handlesDirty_ = true;
        refreshHandles();
        emit selectionChanged();
    }
}

// Painting.

void TDrawSite::paintSurface(QPainter& painter, const QRect& pixels, std::vector<std::exception_ptr>& failures) {
    if (color_.rgba() != kTransparentColor) painter.fillRect(pixels, color_);
    const auto inLogicalUnits = [&](const std::function<void(QPainter&)>& paint) {
        if (!paint) return;
        painter.save();
        scaler().prepareCanvas(painter, resolution().y);
        paint(painter);
        painter.restore();
    };
    inLogicalUnits(onPaint);
    if (grid_) {
        painter.save();
        scaler().prepareCanvas(painter, resolution().y);
        paintGrid(painter, *grid_, logicalArea());
        painter.restore();
    }
    for (TDrawObject* object : drawObjects()) {
        if (!object->isVisible() || !object->controlBounds().adjusted(-1, -1, 1, 1).intersects(pixels)) continue;
        if (std::exception_ptr failure = object->paintOnSite(painter)) failures.push_back(failure);
    }
    if (guide_) {
        painter.save();
        scaler().prepareCanvas(painter, resolution().y);
        paintGuides(painter, *guide_, logicalArea());
        painter.restore();
    }
    inLogicalUnits(onPaintAfter);
    if (border_) {
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::NoBrush);
        const QRect area = logToPixelRect(logicalArea());
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }
}

void TDrawSite::paintLayer(const QRect& pixels) {
    const qreal ratio = devicePixelRatioF();
    if (layer_.size() != pixels.size() * ratio) {
        layer_ = QImage(pixels.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        layer_.setDevicePixelRatio(ratio);
    }
    layer_.fill(palette().color(QPalette::Window));
    layerRect_ = pixels;
    std::vector<std::exception_ptr> failures;
    {
        QPainter painter(&layer_);
        // The offset as a view mapping: the scaler's canvas keeps the view's origin, while a
        // world translation would be scaled with the logical units.
        painter.setWindow(pixels);
        painter.setViewport(QRect(QPoint(0, 0), pixels.size()));
        paintSurface(painter, pixels, failures);
    }
    layerDirty_ = false;
    reportFailures(std::move(failures));
}

void TDrawSite::reportFailures(std::vector<std::exception_ptr> failures) {
    for (std::exception_ptr failure : failures) {
        if (onPaintFailure)
            onPaintFailure(failure);
        else
            QTimer::singleShot(0, this, [failure] { std::rethrow_exception(failure); });
    }
}

void TDrawSite::paintEvent(QPaintEvent*) {
    // The layer holds what is visible (inside a scroll area, only that part of the widget).
    QRect visible = visibleRegion().boundingRect();
    if (visible.isEmpty()) visible = rect();
    if (visible.isEmpty()) return;
    if (layerDirty_ || !layerRect_.contains(visible)) paintLayer(visible);
    QPainter painter(this);
    painter.drawImage(layerRect_.topLeft(), layer_);
    for (const TPivot& pivot : pivots_) pivot.paint(painter, logToPixel(pivot.position));
    if (guideDrag_) {
        const QPoint at = logToPixel({guideDrag_->position, guideDrag_->position});
        painter.setPen(QPen(QColor(0, 0, 255), 0));
        if (guideDrag_->vertical)
            painter.drawLine(at.x(), 0, at.x(), height());
        else
            painter.drawLine(0, at.y(), width(), at.y());
    }
    TGhostList& ghosts = TGhostList::instance();
    if (ghosts.site() == this) ghosts.paint(painter);
}

void TDrawSite::drawTo(QPainter& painter, QPoint origin, int scale) {
    TScaler at;
    at.assign(scaler());
    at.setScale(scale);
    painter.save();
    try {
        painter.translate(origin);
        at.prepareCanvas(painter);
        if (onPaint) onPaint(painter);
        int index = 0;
        for (TDrawObject* object : drawObjects()) {
            if (object->isVisible()) object->paintTo(painter);
            if (onDrawToProgress) onDrawToProgress(index);
            ++index;
        }
        if (onPaintAfter) onPaintAfter(painter);
    } catch (...) {
        painter.restore();
        throw;
    }
    painter.restore();
}

// The pointer and the keys.

void TDrawSite::startGhosts(QPoint logical, Qt::KeyboardModifiers modifiers) {
    TGhostList& ghosts = TGhostList::instance();
    hideHandles();
    ghosts.onClear = [this] {
        if (onClearGhost) onClearGhost();
    };
    ghosts.start(*this, logicalArea(), logical, modifiers);
}

void TDrawSite::pressObject(TDrawObject& object, int handle, Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers & Qt::ShiftModifier;
    if (object.isSelected()) {
        if (shift) deselectOnClick_ = true;
    } else {
        if (!shift) deselectAll();
        object.setSelected(true);
    }
    clicked_ = std::make_unique<WatchedObject>(&object);
    TGhostList& ghosts = TGhostList::instance();
    if (!ghosts.isEmpty()) return;
    const std::vector<TDrawObject*> selected = collectObjects(true);
    for (TDrawObject* each : selected)
        if (each->movable()) each->beginDrag(selected.size() == 1 ? handle : handle::move);
}

void TDrawSite::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    TGhostList& ghosts = TGhostList::instance();
    if (ghosts.isStarted()) return;
    const QPoint pixel = event->position().toPoint();
    const QPoint logical = pixelToLog(pixel);
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    deselectOnClick_ = false;
    if (ghosts.isEmpty()) {
        TDrawObject* hit = nullptr;
        int index = handle::move;
        if (const TPivot* pivot = pivotAt(pixel)) {
            hit = pivot->owner;
            index = pivot->index;
        } else if (TDrawObject* object = objectAt(logical); object && object->selectable()) {
            hit = object;
        }
        if (event->button() != Qt::LeftButton) {
            if (!hit) deselectAll();
            else if (!hit->isSelected()) {
                if (!(modifiers & Qt::ShiftModifier)) deselectAll();
                hit->setSelected(true);
            }
            refreshHandles();
            return;
        }
        if (hit) {
            pressObject(*hit, index, modifiers);
        } else {
            if (startGuideDragAt(pixel)) return;
            if (!(modifiers & Qt::ShiftModifier)) deselectAll();
            ghosts.addGhost(std::make_unique<TSelectGhost>());
        }
    } else if (event->button() != Qt::LeftButton) {
        return;
    }
    if (!ghosts.isEmpty())
        startGhosts(logical, modifiers);
    else
        refreshHandles();
}

void TDrawSite::mouseDoubleClickEvent(QMouseEvent* event) {
    if (TGhostList::instance().isStarted() || event->button() != Qt::LeftButton) return;
    const QPoint logical = pixelToLog(event->position().toPoint());
    if (auto* object = dynamic_cast<TLabelObject*>(objectAt(logical)); object && object->selectable()) object->edit();
}

void TDrawSite::autoScroll(QPoint pixel) {
    QWidget* viewport = parentWidget();
    auto* area = viewport ? qobject_cast<QAbstractScrollArea*>(viewport->parentWidget()) : nullptr;
    if (!area) return;
    const QPoint inView = mapTo(viewport, pixel);
    const QRect view = viewport->rect();
    const auto step = [](QScrollBar* bar, int direction) {
        if (direction != 0) bar->setValue(bar->value() + direction * bar->singleStep());
    };
    step(area->horizontalScrollBar(), inView.x() < view.left() ? -1 : inView.x() > view.right() ? 1 : 0);
    step(area->verticalScrollBar(), inView.y() < view.top() ? -1 : inView.y() > view.bottom() ? 1 : 0);
}

void TDrawSite::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pixel = event->position().toPoint();
    const QPoint logical = pixelToLog(pixel);
    emit pointerMoved(logical);
    if (guideDrag_) return moveGuide(logical, event->modifiers(), event->globalPosition().toPoint());
    TGhostList& ghosts = TGhostList::instance();
    if (ghosts.site() == this) {
        autoScroll(pixel);
        ghosts.track(event->modifiers(), logical);
        return;
    }
    updateCursor(pixel);
}

void TDrawSite::updateCursor(QPoint pixel) {
    if (siteCursor_ != Qt::ArrowCursor) return setCursor(siteCursor_);
    if (const TPivot* pivot = pivotAt(pixel)) return setCursor(pivot->cursor);
    if (guide_) {
        const int tolerance = std::max(1, std::abs(pixelToLog(QPoint(2, 0)).x() - pixelToLog(QPoint(0, 0)).x()));
        if (const int slot = guideAt(*guide_, pixelToLog(pixel), tolerance); slot >= 0)
            return setCursor(guide_->guide(slot).x() != 0 ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    }
    if (TDrawObject* object = objectAt(pixelToLog(pixel)); object && object->selectable()) return setCursor(object->cursor());
    setCursor(Qt::ArrowCursor);
}

void TDrawSite::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (guideDrag_) {
        moveGuide(pixelToLog(event->position().toPoint()), event->modifiers(), event->globalPosition().toPoint());
        return finishGuideDrag(true);
    }
    TGhostList& ghosts = TGhostList::instance();
    // Whatever a ghost does, the drag state goes and the handles come back.
    struct Done {
        TDrawSite* site;
        ~Done() {
            site->clicked_.reset();
            site->deselectOnClick_ = false;
            site->handlesDirty_ = true;
            site->refreshHandles();
            site->update();
        }
    } done{this};
    if (TDrawObject* clicked = clicked_ ? clicked_->get() : nullptr; clicked && !ghosts.isMoved() && deselectOnClick_)
        clicked->setSelected(false);
    deselectOnClick_ = false;
    if (ghosts.site() != this) return;
    ghosts.track(event->modifiers(), pixelToLog(event->position().toPoint()));
    ghosts.finish();
}

// The keys that change the modifiers arrive before (press) or after (release) the event's
// modifiers show them.
static Qt::KeyboardModifiers modifiersAfter(const QKeyEvent& event, bool pressed) {
    Qt::KeyboardModifiers modifiers = event.modifiers();
    Qt::KeyboardModifier changed = Qt::NoModifier;
    switch (event.key()) {
    case Qt::Key_Shift: changed = Qt::ShiftModifier; break;
    case Qt::Key_Control: changed = Qt::ControlModifier; break;
    case Qt::Key_Alt: changed = Qt::AltModifier; break;
    default: return modifiers;
    }
    return pressed ? modifiers | changed : modifiers & ~changed;
}

void TDrawSite::keyPressEvent(QKeyEvent* event) {
    if (guideDrag_ && event->key() == Qt::Key_Escape) return finishGuideDrag(false);
    TGhostList& ghosts = TGhostList::instance();
    if (ghosts.site() != this) return QWidget::keyPressEvent(event);
    if (event->key() == Qt::Key_Escape) return cancelDrag();
    ghosts.track(modifiersAfter(*event, true), ghosts.lastPoint());
}

void TDrawSite::keyReleaseEvent(QKeyEvent* event) {
    TGhostList& ghosts = TGhostList::instance();
    if (ghosts.site() != this) return QWidget::keyReleaseEvent(event);
    ghosts.track(modifiersAfter(*event, false), ghosts.lastPoint());
}

void TDrawSite::cancelDrag() {
    if (guideDrag_) finishGuideDrag(false);
    TGhostList& ghosts = TGhostList::instance();
    if (ghosts.site() != this) return;
    ghosts.cancel();
    clicked_.reset();
    deselectOnClick_ = false;
    handlesDirty_ = true;
    refreshHandles();
    update();
}

void TDrawSite::focusOutEvent(QFocusEvent* event) {
    cancelDrag();
    QWidget::focusOutEvent(event);
}

void TDrawSite::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) cancelDrag();
    QWidget::changeEvent(event);
}

void TDrawSite::hideEvent(QHideEvent* event) {
    cancelDrag();
    QWidget::hideEvent(event);
}

// Guides.

bool TDrawSite::startGuideDragAt(QPoint pixel) {
    if (!guide_) return false;
    const int tolerance = std::max(1, std::abs(pixelToLog(QPoint(2, 0)).x() - pixelToLog(QPoint(0, 0)).x()));
    const int slot = guideAt(*guide_, pixelToLog(pixel), tolerance);
    return slot >= 0 && beginGuideDrag(slot, guide_->guide(slot).x() != 0);
}

bool TDrawSite::beginGuideDrag(int slot, bool vertical) {
    if (!guide_ || slot < 0 || slot >= guide_->count() || TGhostList::instance().isStarted()) return false;
    clearGhosts();
    const QPoint at = guide_->guide(slot);
    guideDrag_ = GuideDrag{slot, vertical, vertical ? at.x() : at.y()};
    if (!guideHint_) {
        auto* hint = new QLabel(this, Qt::ToolTip);
        hint->setMargin(2);
        guideHint_ = hint;
    }
    grabMouse();
    update();
    return true;
}

QString TDrawSite::guideHint() const {
    if (!guideDrag_) return {};
    const int v = guideDrag_->position;
    const int extent = guideDrag_->vertical ? logWidth() : logHeight();
    // A guide on the edge (0 included, which also marks an empty slot) is removed.
    if (v <= 0 || v >= extent) return QStringLiteral("ｶﾞｲﾄﾞ削除");
    const QString format = guideDrag_->vertical ? QStringLiteral("左から%1 右から%2") : QStringLiteral("上から%1 下から%2");
    return format.arg(millimetreText(v), millimetreText(extent - v));
}

void TDrawSite::moveGuide(QPoint logical, Qt::KeyboardModifiers modifiers, QPoint globalPosition) {
    int v = guideDrag_->vertical ? logical.x() : logical.y();
    if (!(modifiers & Qt::ShiftModifier)) v = int(std::floor((v + 5) / 10.0)) * 10;
    if (v != guideDrag_->position) {
        guideDrag_->position = v;
        update();
    }
    auto* hint = static_cast<QLabel*>(guideHint_);
    hint->setText(guideHint());
    hint->adjustSize();
    hint->move(globalPosition - QPoint(hint->width() / 2, hint->height() + 8));
    hint->show();
}

void TDrawSite::finishGuideDrag(bool apply) {
    const GuideDrag drag = *guideDrag_;
    guideDrag_.reset();
    releaseMouse();
    if (guideHint_) guideHint_->hide();
    if (apply && guide_) {
        guide_->setGuide(drag.slot, drag.vertical ? QPoint(drag.position, 0) : QPoint(0, drag.position));
        guide_->setEnabled(true);
        removeGuidesOutside(*guide_, logicalArea());
        guide_->setVisible(guide_->enabled());
    }
    invalidateObjects();
}

}  // namespace poremi
