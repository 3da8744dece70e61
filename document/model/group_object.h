#pragma once
// A group of draw objects. The group owns its members (they are not shown by a site of their
// own) and draws, moves and scales them as one; its bounds follow the members.

#include "document/model/draw_interfaces.h"
#include "document/model/label_object.h"

#include <vector>

namespace poremi {

class TActionList;

class TDOGroup : public TLabelObject, public IDOMovable, public IDORect, public IDOOutline {
    POREMI_PERSISTENT(TDOGroup)
public:
    using TLabelObject::TLabelObject;

    // The owned draw objects, in owner order (back to front).
    std::vector<TDrawObject*> members() const;
    // Owns clones of the objects, in the list's order, after the present members.
    void takeMembers(const std::vector<TDrawObject*>& objects);

    // The union of the members' bounds; empty without members.
    TRect getBounds() const override;
    bool hitTest(QPoint point) const override;

    int left() const override { return getBounds().left; }
    void setLeft(int left) override;
    int top() const override { return getBounds().top; }
    void setTop(int top) override;
    int width() const override;
    void setWidth(int width) override;
    int height() const override;
    void setHeight(int height) override;
    bool keepAspect() const override { return false; }

    void moveBy(int dx, int dy) override;
    void setExtent(int width, int height) override;
    void paintTo(QPainter& painter) override { TLabelObject::paintTo(painter); }
    void strokeOutline(QPainter& painter) override;

    // Maps every movable member from rectangle from to rectangle to. An axis of no extent in
    // from is only moved, never divided by.
    void scaleMembers(const TRect& from, const TRect& to);

    // The published properties, then clones of the source's members in their order in
    // place of its own.
    void assign(const TPersistent& source) override;

    // Puts selected clones of the members, in their order, on the group's site, each recorded
    // as an addition; removing the group is the caller's step. Nothing without a site.
    std::vector<TDrawObject*> ungroup(TActionList& history);

    // Streams the members as children.
    void getChildren(const std::function<void(TComponent&)>& yield) const override;

protected:
    void paint(QPainter& painter) override;

private:
    void freeMembers();
    void afterEdit();
};

}  // namespace poremi
