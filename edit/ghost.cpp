#include "edit/ghost.h"

#include "document/model/action_history.h"
#include "edit/draw_site_widget.h"
#include "edit/select_ghost.h"

#include <QtGui/QPainter>

namespace poremi {

namespace {

// Runs its function when the scope is left, also by an exception.
template <class F>
struct ScopeExit {
    F f;
    ~ScopeExit() { f(); }
};
template <class F>
ScopeExit(F) -> ScopeExit<F>;

}  // namespace

Qt::KeyboardModifiers ghostModifiers(Qt::KeyboardModifiers modifiers) {
    return modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

TGhostList& TGhostList::instance() {
    static TGhostList list;
    return list;
}

void TGhostList::addGhost(std::unique_ptr<TGhost> ghost) {
    if (!ghost) return;
    ghosts_.push_back(std::move(ghost));
    hadGhosts_ = true;
}

bool TGhostList::isSelecting() const {
    return ghosts_.size() == 1 && dynamic_cast<const TSelectGhost*>(ghosts_.front().get()) != nullptr;
}

void TGhostList::start(TDrawSite& site, const TRect& area, QPoint point, Qt::KeyboardModifiers modifiers) {
    site_ = &site;
    startPoint_ = point;
    lastPoint_ = point;
    lastModifiers_ = ghostModifiers(modifiers);
    for (const auto& ghost : ghosts_) {
        ghost->attach(site, area);
        ghost->begin(point);
    }
    started_ = true;
    moved_ = false;
    repaint({});
}

void TGhostList::track(Qt::KeyboardModifiers modifiers, QPoint point) {
    modifiers = ghostModifiers(modifiers);
    if (!started_ || finishing_ || (point == lastPoint_ && modifiers == lastModifiers_)) return;
    const QRect before = paintBounds();
    lastPoint_ = point;
    lastModifiers_ = modifiers;
    moved_ = true;
    for (const auto& ghost : ghosts_) ghost->move(modifiers, point - startPoint_);
    repaint(before);
}

void TGhostList::finish() {
    if (finishing_) return;
    ScopeExit cleared{[this] {
        finishing_ = false;
        clear();
    }};
    if (!started_) return;
    finishing_ = true;
    repaint({});
    if (!moved_) return;
    TActionList& history = TActionList::instance();
    history.beginGroup();
    ScopeExit closed{[&history] { history.endGroup(); }};
    // A finished ghost leaves the list, so that only the unfinished ones are abandoned.
    while (!ghosts_.empty()) {
        ghosts_.front()->finish(lastModifiers_);
        ghosts_.erase(ghosts_.begin());
    }
}

void TGhostList::cancel() { clear(); }

void TGhostList::clear() {
    const bool had = hadGhosts_;
    hadGhosts_ = false;
    if (started_) repaint({});
    std::vector<std::unique_ptr<TGhost>> ghosts = std::move(ghosts_);
    ghosts_.clear();
    started_ = false;
    moved_ = false;
    site_ = nullptr;
    for (const auto& ghost : ghosts) ghost->abandon();
    ghosts.clear();
    if (had && onClear) {
        const auto callback = std::move(onClear);
        onClear = nullptr;
        callback();
    }
}

void TGhostList::paint(QPainter& painter) const {
    if (!started_) return;
    for (const auto& ghost : ghosts_) {
        painter.save();
        ghost->paint(painter);
        painter.restore();
    }
}

QRect TGhostList::paintBounds() const {
    QRect bounds;
    if (started_)
        for (const auto& ghost : ghosts_) bounds |= ghost->paintBounds();
    return bounds;
}

void TGhostList::repaint(const QRect& before) const {
    if (!site_) return;
    const QRect area = before | paintBounds();
    if (!area.isEmpty()) site_->update(area.adjusted(-2, -2, 2, 2));
}

}  // namespace poremi
