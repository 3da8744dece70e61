#pragma once
// The recorded edits of draw objects: a change (snapshots before and after), an addition, a
// deletion and a change of the stacking order. Every action follows its objects and site and
// forgets those that are destroyed; an action whose object is gone is skipped.

#include "document/model/action_history.h"
#include "document/model/change_channel.h"

#include <memory>
#include <vector>

namespace poremi {

class DrawSite;
class TDrawObject;

// A reference that becomes empty when its object is destroyed, and can note its changes.
class WatchedObject {
public:
    explicit WatchedObject(TDrawObject* object);
    TDrawObject* get() const { return object_; }
    bool changed() const { return changed_; }
    void resetChanged() { changed_ = false; }

private:
    TDrawObject* object_;
    bool changed_ = false;
    TListener listener_;
};

// Made before the object changes; commit records it only when the object changed.
class TDOChangeAction : public TActionBase {
public:
    TDOChangeAction(TDrawObject& object, const QString& caption);
    ~TDOChangeAction() override;

    // The caller knows the object changed (even without a msgChanged).
    void markChanged() { marked_ = true; }
    // Records the action when the object still lies on a site and changed; else frees it.
    static void commit(std::unique_ptr<TDOChangeAction> action, TActionList& history);

    void undo() override;
    void redo() override;

private:
    WatchedObject object_;
    std::unique_ptr<TDrawObject> before_;
    std::unique_ptr<TDrawObject> after_;
    bool marked_ = false;
};

// The stacking order of a site's objects, front to back, following their lifetimes.
class SiteOrder {
public:
    // Empty without a site.
    explicit SiteOrder(DrawSite* site);
    // Sends every remaining object to the back of its layer, front-most first.
    void restore() const;

private:
    std::vector<std::unique_ptr<WatchedObject>> objects_;
};

// Follows a site's lifetime.
class WatchedSite {
public:
    explicit WatchedSite(DrawSite* site);
    DrawSite* get() const { return site_; }

private:
    DrawSite* site_;
    TListener listener_;
};

class TDOAddDelAction : public TActionBase {
public:
    ~TDOAddDelAction() override;

protected:
    TDOAddDelAction(TDrawObject& object, const QString& caption);
    // Takes the object off its site into this action's ownership.
    void takeOff();
    // Gives the object back to its site, selected, in its former place.
    void putBack();

private:
    WatchedSite site_;
    SiteOrder order_;
    WatchedObject object_;
    std::unique_ptr<TDrawObject> owned_;  // while deleted
};

// Made just after the object was added to its site.
class TDOAddAction : public TDOAddDelAction {
public:
    explicit TDOAddAction(TDrawObject& object, const QString& caption = QStringLiteral("追加"))
        : TDOAddDelAction(object, caption) {}
    void undo() override { takeOff(); }
    void redo() override { putBack(); }
};

// Made before the deletion; perform deletes the object and only then owns it.
class TDODelAction : public TDOAddDelAction {
public:
    TDODelAction(TDrawObject& object, const QString& caption) : TDOAddDelAction(object, caption) {}
    void perform() { takeOff(); }
    void undo() override { putBack(); }
    void redo() override { takeOff(); }
};

// Made before the stacking order of a site changes; commit takes the order after.
class TDOLayerAction : public TActionBase {
public:
    TDOLayerAction(DrawSite& site, const QString& caption);
    static void commit(std::unique_ptr<TDOLayerAction> action, TActionList& history);

    void undo() override;
    void redo() override;

private:
    void selectAfter() const;

    WatchedSite site_;
    SiteOrder before_;
    std::unique_ptr<SiteOrder> after_;
    std::vector<std::unique_ptr<WatchedObject>> selectedAfter_;
};

}  // namespace poremi
