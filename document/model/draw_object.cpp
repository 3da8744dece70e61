#include "document/model/draw_object.h"

#include "document/model/draw_interfaces.h"
#include "document/model/draw_site.h"
#include "document/stream/class_declaration.h"
#include "document/stream/stream_error.h"
#include "render/raster/change_notifier.h"
#include "render/raster/pixel_layout.h"
#include "render/text/simple_text.h"

#include <QtGui/QPainter>
#include <algorithm>
#include <tuple>

namespace poremi {

const TClassInfo& TDrawObject::staticClassInfo() {
    static const TClassInfo info = describeClass<TDrawObject, TComponent>("TDrawObject", [](auto& c) {
        c.integer("Left", &TDrawObject::controlLeft, &TDrawObject::setControlLeft).notStored();
        c.integer("Top", &TDrawObject::controlTop, &TDrawObject::setControlTop).notStored();
        c.integer("Width", &TDrawObject::controlWidth, &TDrawObject::setControlWidth).notStored();
        c.integer("Height", &TDrawObject::controlHeight, &TDrawObject::setControlHeight).notStored();
        c.boolean("Border", &TDrawObject::border, &TDrawObject::setBorder);
        // The menu of the old control, named in older files: read and ignored.
        c.event("PopupMenu");
        c.boolean("Movable", &TDrawObject::movable, &TDrawObject::setMovable).defaultValue(true);
        c.boolean("Selectable", &TDrawObject::selectable, &TDrawObject::setSelectable).defaultValue(true);
        c.integer("LayerGroup", &TDrawObject::layerGroup, &TDrawObject::setLayerGroup);
        c.event("OnModify");
        c.object("Appendix", qNonConstOverload<>(&TDrawObject::appendix));
    });
    return info;
}

TDrawObject::TDrawObject(TComponent* owner)
    : TComponent(owner),
      listener_([this](MessageSender sender, const Guid& message) { notify(sender, message); }),
      changeWatch_([this](MessageSender, const Guid& message) {
          if (message == msgChanged) modified();
      }) {
    changeWatch_.listenTo(changeNotify_);
}

TDrawObject::~TDrawObject() {
    if (site_) site_->removeDrawObject(*this);
}

void TDrawObject::setBorder(bool border) { border_ = border; }

void TDrawObject::setMovable(bool movable) {
    if (movable == movable_) return;
    movable_ = movable;
    changeNotify_.broadcast(msgMovableChanged);
}

void TDrawObject::setSelectable(bool selectable) {
    selectable_ = selectable;
    if (!selectable && selected_) setSelected(false);
}

void TDrawObject::setLayerGroup(int layerGroup) { layerGroup_ = layerGroup; }

void TDrawObject::setAppendix(const QStringList& lines) {
    if (lines == appendix_.lines()) return;
    appendix_.setLines(lines);
    changed();
}

void TDrawObject::updateControlBounds() {
    if (!site_) return;
    controlBounds_ = site_->scaler().logToDevRect(site_->resolution(), getBounds()).toQRect();
}

void TDrawObject::setSelected(bool selected) {
    if (selectable_ || !selected) selected_ = selected;
    changeNotify_.broadcast(msgSelectionChanged);
}

void TDrawObject::assign(const TPersistent& source) {
    ChangeBracket bracket(changeNotify_);
    // Setters that notify mark their own changes; these fields are compared instead.
    const auto state = [](const TDrawObject& o) {
        return std::tuple(o.border_, o.movable_, o.selectable_, o.layerGroup_, o.appendix_.lines(), o.tag(),
                          o.enabled_, o.hint_, o.cursor_);
    };
    const auto before = state(*this);
    TComponent::assign(source);
    const auto& from = static_cast<const TDrawObject&>(source);  // assign checked the class
    selected_ = from.selected_ && selectable_;
    enabled_ = from.enabled_;
    hint_ = from.hint_;
    cursor_ = from.cursor_;
    if (state(*this) != before) changeNotify_.changed();
}

std::unique_ptr<TDrawObject> TDrawObject::clone(const TDrawObject& source) {
    std::unique_ptr<TPersistent> made = source.classInfo().create();
    auto* object = dynamic_cast<TDrawObject*>(made.get());
    if (!object) stream_error::invalidCast();  // a class that cannot be made by itself
    made.release();
    std::unique_ptr<TDrawObject> copy(object);
    copy->assign(source);
    return copy;
}

bool TDrawObject::needsBlending() const {
    const auto* blend = dynamic_cast<const IDOBlend*>(this);
    return blend && (blend->blendRatio() != 100 || blend->blendShade());
}

void TDrawObject::paintContent(QPainter& painter) {
    if (!needsBlending() || !paintBlended(painter)) paint(painter);
}

bool TDrawObject::paintBlended(QPainter& painter) {
    const auto* blend = dynamic_cast<const IDOBlend*>(this);
    const int ratio = blend ? blend->blendRatio() : 100;
    const QTransform toDevice = painter.combinedTransform();
    // The bounds with a margin for strokes and antialiasing, in device pixels, within the clip
    // and the device.
    QRect area = toDevice.mapRect(inflateRect(normalizeRect(getBounds()), 5, 5).toQRectF()).toAlignedRect();
    if (painter.hasClipping()) area &= toDevice.mapRect(painter.clipBoundingRect()).toAlignedRect();
    if (const QPaintDevice* device = painter.device()) area &= QRect(0, 0, device->width(), device->height());
    if (area.isEmpty()) return true;

    QImage layer;
    try {
        layer = allocateImage(area.width(), area.height(), QImage::Format_ARGB32_Premultiplied);
    } catch (const OutOfMemoryError&) {
        return false;  // too large to compose: painted opaque instead
    }
    layer.fill(Qt::transparent);
    {
        QPainter onLayer(&layer);
        onLayer.setRenderHints(painter.renderHints());
        onLayer.setFont(painter.font());
        onLayer.setTransform(toDevice * QTransform::fromTranslate(-area.x(), -area.y()));
        paint(onLayer);
    }
    // What the object covers, at BlendRatio percent, on any kind of target (screen, image,
    // PDF, printer).
    painter.save();
    painter.resetTransform();
    painter.setOpacity(painter.opacity() * ratio / 100.0);
    painter.drawImage(area.topLeft(), layer);
    painter.restore();
    return true;
}

void TDrawObject::paint(QPainter&) {}

void TDrawObject::notify(MessageSender, const Guid&) {}

void TDrawObject::prepareForTool(const QString&, const DrawSite&) {}

void TDrawObject::changed() { changeNotify_.changed(); }

std::exception_ptr TDrawObject::paintOnSite(QPainter& painter) {
    if (!site_) return nullptr;
    if (paintFailed_) {
        paintFailureFrame(painter);
        return nullptr;
    }
    paintFailed_ = true;
    painter.save();
    try {
        if (border_) {
            painter.setPen(QPen(QColor(0, 0, 255), 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(controlBounds_.adjusted(0, 0, -1, -1));
        }
        site_->scaler().prepareCanvas(painter, site_->resolution().y);
        paintContent(painter);
    } catch (...) {
        painter.restore();
        return std::current_exception();
    }
    painter.restore();
    paintFailed_ = false;
    return nullptr;
}

void TDrawObject::paintFailureFrame(QPainter& painter) const {
    painter.save();
    painter.setClipRect(controlBounds_, Qt::IntersectClip);
    painter.setPen(QPen(Qt::red, 0));  // cosmetic: one device pixel at any mapping
    painter.setBrush(QBrush(Qt::red, Qt::DiagCrossPattern));
    painter.drawRect(controlBounds_.adjusted(0, 0, -1, -1));

    // The message in document units: pixels × 254 / resolution.
    const double unitsPerPixel = 254.0 / site_->resolution().y;
    TPointBasedFont font;
    font.setName(QStringLiteral("System"));
    font.setSize(12);
    TSimpleText message;
    message.setFont(font);
    message.setText({QStringLiteral("描画に失敗しました")});
    painter.translate(controlBounds_.topLeft() + QPoint(1, 1));
    painter.scale(1 / unitsPerPixel, 1 / unitsPerPixel);
    message.draw(painter, {0, 0, static_cast<int>(controlBounds_.width() * unitsPerPixel),
                           static_cast<int>(controlBounds_.height() * unitsPerPixel)});
    painter.restore();
}

void TDrawObject::paintTo(QPainter& painter) {
    const TRect bounds = normalizeRect(getBounds());
    const QRectF area(bounds.left, bounds.top, double(bounds.right) - bounds.left, double(bounds.bottom) - bounds.top);
    // Lines have bounds of no width; they still show where they lie in the clip.
    if (painter.hasClipping() && !painter.clipBoundingRect().adjusted(0, 0, 1, 1).intersects(area.adjusted(0, 0, 1, 1)))
        return;
    painter.save();
    try {
        painter.setClipRect(area.adjusted(0, 0, 1, 1), Qt::IntersectClip);
        paintContent(painter);
    } catch (...) {
        painter.restore();
        throw;
    }
    painter.restore();
}

void TDrawObject::bringToFrontInLayer() {
    if (!site_) return;
    const std::vector<TDrawObject*>& order = site_->drawObjects();
    qsizetype target = 0;
    for (const TDrawObject* other : order) {
        if (other == this) continue;
        if (other->layerGroup_ > layerGroup_) break;
        ++target;
    }
    moveInSite(target);
}

void TDrawObject::sendToBackInLayer() {
    if (!site_) return;
    qsizetype target = 0;
    qsizetype position = 0;
    for (const TDrawObject* other : site_->drawObjects()) {
        if (other == this) continue;
        ++position;
        if (other->layerGroup_ < layerGroup_) target = position;
    }
    moveInSite(target);
}

void TDrawObject::moveInSite(qsizetype index) {
    if (site_->indexOf(*this) == index) return;
    site_->moveDrawObject(*this, index);
    changed();
}

void TDrawObject::modified() {
    if (site_) site_->setModified(true);
    if (OnModify) OnModify(*this);
}

}  // namespace poremi
