#pragma once
// What draw objects need of the site that shows them: the scaler, the Modified state, the
// order of the shown objects (back to front, the z-order), the selection and the hook the
// application sets for new objects. The editing widget derives from it.

#include "document/model/change_channel.h"
#include "document/stream/component.h"
#include "render/geometry/scaler.h"

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

    // Called with every object a drawing tool places on the site.
    std::function<void(TDrawObject&)> objectAdded;
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
    std::vector<TDrawObject*> objects_;
    TBroadcaster lifetime_{this};
};

}  // namespace poremi
