#pragma once
// Ghosts are the stand-ins of a drag: they follow the pointer, are painted over the site and
// apply their change when the button is released. One list serves every site, so only one
// drag runs at a time.

#include "render/geometry/rect.h"

#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/Qt>
#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace poremi {

class TDrawSite;

class TGhost {
public:
    virtual ~TGhost() = default;
    TGhost() = default;
    TGhost(const TGhost&) = delete;
    TGhost& operator=(const TGhost&) = delete;

    TDrawSite& site() const { return *site_; }
    // The site's logical area when the drag started.
    const TRect& area() const { return area_; }
    void attach(TDrawSite& site, const TRect& area) {
        site_ = &site;
        area_ = area;
    }

    virtual void begin(QPoint start) = 0;
    // The painter is in the site's pixels.
    virtual void paint(QPainter& painter) const = 0;
    // The pixels the paint covers.
    virtual QRect paintBounds() const = 0;
    // offset: the pointer's logical offset from the start point.
    virtual void move(Qt::KeyboardModifiers modifiers, QPoint offset) = 0;
    virtual void finish(Qt::KeyboardModifiers modifiers) = 0;
    // The drag ended without finishing (cancelled, or a finish that failed).
    virtual void abandon() {}

private:
    TDrawSite* site_ = nullptr;
    TRect area_;
};

class TGhostList {
public:
    static TGhostList& instance();

    void addGhost(std::unique_ptr<TGhost> ghost);
    bool isEmpty() const { return ghosts_.empty(); }
    qsizetype count() const { return static_cast<qsizetype>(ghosts_.size()); }
    bool isStarted() const { return started_; }
    bool isMoved() const { return moved_; }
    // The only ghost is a rubber band.
    bool isSelecting() const;
    TDrawSite* site() const { return started_ ? site_ : nullptr; }
    const TGhost& at(qsizetype index) const { return *ghosts_.at(static_cast<std::size_t>(index)); }
    QPoint lastPoint() const { return lastPoint_; }
    Qt::KeyboardModifiers lastModifiers() const { return lastModifiers_; }

    void start(TDrawSite& site, const TRect& area, QPoint point, Qt::KeyboardModifiers modifiers);
    // Moves the ghosts when the point or the Shift, Ctrl and Alt keys changed.
    void track(Qt::KeyboardModifiers modifiers, QPoint point);
    // Applies a moved drag as one step of the history; the list is empty afterwards even
    // when a ghost failed (the failure goes on to the caller).
    void finish();
    void cancel();
    void clear();

    void paint(QPainter& painter) const;
    // Fired when a list that had ghosts is cleared.
    std::function<void()> onClear;

private:
    void repaint(const QRect& before) const;
    QRect paintBounds() const;

    std::vector<std::unique_ptr<TGhost>> ghosts_;
    TDrawSite* site_ = nullptr;
    bool started_ = false;
    bool moved_ = false;
    bool finishing_ = false;
    bool hadGhosts_ = false;  // since the last clear
    QPoint startPoint_;
    QPoint lastPoint_;
    Qt::KeyboardModifiers lastModifiers_;
};

// The modifiers that steer ghosts.
Qt::KeyboardModifiers ghostModifiers(Qt::KeyboardModifiers modifiers);

}  // namespace poremi
