#pragma once
// What draw objects need of the site that shows them: the scaler, the Modified state, the
// order of the shown objects (back to front, the z-order), the selection and the hook the
// application sets for new objects. The editing widget derives from it.

#include "document/model/change_channel.h"
#include "document/stream/component.h"
#include "render/geometry/scaler.h"

#include <QtCore/QPoint>
#include <QtCore/QSize>
#include <functional>
#include <vector>

namespace poremi {

class TDrawObject;

class DrawSite : public TComponent {
public:
    explicit DrawSite(TComponent* owner = nullptr);
    // Lets go of the objects it shows before freeing those it owns.
    ~DrawSite() override;

    TScaler& scaler() { return scaler_; }
    const TScaler& scaler() const { return scaler_; }
    // The resolution the site's pixels have.
    virtual DeviceResolution resolution() const { return screenResolution(); }

    bool isModified() const { return modified_; }
    virtual void setModified(bool modified) { modified_ = modified; }

    // The shown objects, back to front.
    const std::vector<TDrawObject*>& drawObjects() const { return objects_; }
    // -1 when the object is not shown here.
    qsizetype indexOf(const TDrawObject& object) const;
    // Shows the object (leaving any other site), computes its pixel bounds, brings it to the
    // front of its layer group and marks the site modified.
    void addDrawObject(TDrawObject& object);
    // Stops showing the object; ownership is unchanged.
    void removeDrawObject(TDrawObject& object);

    std::vector<TDrawObject*> selection() const;
    void deselectAll();

    // The drawing area in document units.
    QSize logicalSize() const { return logicalSize_; }
    void setLogicalSize(QSize size) { logicalSize_ = size; }
    // The logical point new objects are centred on; the widget gives the middle of its view.
    virtual QPoint visibleCentre() const { return {logicalSize_.width() / 2, logicalSize_.height() / 2}; }
    // The widget drops its ghosts and shows the cursor.
    virtual void clearGhosts() {}
    virtual void setSiteCursor(Qt::CursorShape) {}

    // Called with every object a drawing tool places on the site.
    std::function<void(TDrawObject&)> objectAdded;
    // Called when a tool has placed its object (the screen switches its move options off).
    std::function<void()> toolFinished;
    // Called with an object whose property editor changed it.
    std::function<void(TDrawObject&)> objectEdited;

    // Announces the site's destruction (msgDestroying) to those that keep a reference.
    TBroadcaster& lifetime() { return lifetime_; }

    // The handles of the selected objects are made anew; the widget draws them.
    virtual void refreshHandles() {}

protected:
    // The order changed; the widget repaints.
    virtual void orderChanged() {}

private:
    friend class TDrawObject;

    void moveDrawObject(TDrawObject& object, qsizetype index);

    TScaler scaler_;
    bool modified_ = false;
    QSize logicalSize_;
    std::vector<TDrawObject*> objects_;
    TBroadcaster lifetime_{this};
};

}  // namespace poremi
