#pragma once
// The ghost of one object: a clone that takes the drag's changes and is assigned to the
// object when the drag finishes, recorded under the ghost's caption.

#include "edit/ghost.h"

#include <QtCore/QString>
#include <memory>

namespace poremi {

class TDrawObject;
class WatchedObject;

class TUniversalGhost : public TGhost {
public:
    // caption: the undo caption; empty records nothing.
    TUniversalGhost(TDrawObject& object, int handle, QString caption);
    ~TUniversalGhost() override;

    // None when the object was destroyed during the drag.
    TDrawObject* object() const;
    TDrawObject& ghostObject() const { return *ghost_; }
    int handle() const { return handle_; }
    QPoint startPoint() const { return start_; }

    void begin(QPoint start) override { start_ = start; }
    // The ghost object's outline, dotted and inverting.
    void paint(QPainter& painter) const override;
    QRect paintBounds() const override;
    void finish(Qt::KeyboardModifiers modifiers) override;

protected:
    // Assigns the ghost object to the object, recorded as one change under the caption.
    void apply(const QString& caption);
    const QString& caption() const { return caption_; }
    // The ghost object back to the object's state.
    void resetGhost();

private:
    std::unique_ptr<WatchedObject> object_;
    std::unique_ptr<TDrawObject> ghost_;
    int handle_;
    QString caption_;
    QPoint start_;
};

// Centre kept 10 units inside the area, so that an object never leaves the label.
TRect keepCentreInside(const TRect& r, const TRect& area);

}  // namespace poremi
