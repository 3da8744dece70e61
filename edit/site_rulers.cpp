#include "edit/site_rulers.h"

#include "document/model/draw_object.h"
#include "document/model/grid_guide.h"
#include "edit/draw_site_widget.h"
#include "edit/ruler.h"

#include <QtCore/QEvent>

namespace poremi {

SiteRulers::SiteRulers(TDrawSite& site, TRuler& horizontal, TRuler& vertical)
    : QObject(&site), site_(site), horizontal_(horizontal), vertical_(vertical) {
    connect(&site, &TDrawSite::scalerChanged, this, &SiteRulers::sync);
    connect(&site, &TDrawSite::pointerMoved, this, &SiteRulers::showPointer);
    connect(&site, &TDrawSite::selectionChanged, this, &SiteRulers::showSelection);
    connect(&horizontal, &TRuler::guidePressed, this, [this] { startGuide(horizontal_); });
    connect(&vertical, &TRuler::guidePressed, this, [this] { startGuide(vertical_); });
    // A scrolling parent moves the site; a resized window moves the rulers.
    site.installEventFilter(this);
    horizontal.installEventFilter(this);
    vertical.installEventFilter(this);
    sync();
}

bool SiteRulers::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show) sync();
    return false;
}

void SiteRulers::sync() {
    QWidget* top = site_.window();
    const QPoint origin = site_.mapTo(top, site_.logToPixel({0, 0}));
    for (TRuler* ruler : {&horizontal_, &vertical_}) {
        ruler->setScale(site_.scaler().scale());
        ruler->setResolution(site_.resolution());
        const QPoint at = ruler->mapTo(top, QPoint(0, 0));
        const bool horizontal = ruler->kind() == TRuler::rkHorizontal;
        ruler->setRulerOffset(horizontal ? origin.x() - at.x() : origin.y() - at.y());
        ruler->setRulerLength((horizontal ? site_.logWidth() : site_.logHeight()) / 10);
    }
}

void SiteRulers::showPointer(QPoint logical) {
    horizontal_.setPointer(std::clamp(logical.x(), 0, site_.logWidth()));
    vertical_.setPointer(std::clamp(logical.y(), 0, site_.logHeight()));
}

void SiteRulers::showSelection() {
    TRect united;
    bool any = false;
    for (TDrawObject* object : site_.collectObjects(true)) {
        const TRect b = normalizeRect(object->getBounds());
        united = any ? TRect{std::min(united.left, b.left), std::min(united.top, b.top), std::max(united.right, b.right),
                             std::max(united.bottom, b.bottom)}
                     : b;
        any = true;
    }
    horizontal_.setSelection(any ? std::optional(std::pair(united.left, united.right)) : std::nullopt);
    vertical_.setSelection(any ? std::optional(std::pair(united.top, united.bottom)) : std::nullopt);
}

void SiteRulers::startGuide(TRuler& ruler) {
    TGuide* guide = site_.guide();
    if (!guide) return;
    for (int slot = 0; slot < guide->count(); ++slot) {
        if (!guide->guide(slot).isNull()) continue;
        // The top ruler gives a horizontal guide, the side ruler a vertical one.
        site_.beginGuideDrag(slot, ruler.kind() == TRuler::rkVertical);
        return;
    }
}

}  // namespace poremi
