#include "edit/arrange/arrange_group.h"

#include "document/model/action_history.h"
#include "document/model/group_object.h"
#include "document/model/object_actions.h"
#include "edit/draw_site_widget.h"
#include "edit/edit_command.h"
#include "edit/edit_command_actions.h"

#include <algorithm>

namespace poremi {

namespace {

TargetRule groupedAs(const QString& caption, const QString& targetClass = {}) {
    TargetRule rule;
    rule.targetClassName = targetClass;
    rule.actionString = caption;
    return rule;
}

class GroupEdit : public DrawSiteEdit {
public:
    GroupEdit() : DrawSiteEdit(groupedAs(QStringLiteral("グループ化"))) {}

protected:
    bool hasEachStep() const override { return false; }

    void executeFirst(DrawSite& site) override {
        std::vector<TDrawObject*> members = targets().items();
        std::reverse(members.begin(), members.end());  // back to front, as the group paints them
        auto made = std::make_unique<TDOGroup>();
        made->takeMembers(members);
        made->setCursor(Qt::PointingHandCursor);
        TDOGroup* group = made.release();
        site.insertComponent(group);
        site.addDrawObject(*group);
        TActionList::instance().addAction(std::make_unique<TDOAddAction>(*group));
        TDSAClear().executeOn(site);  // the group is not selected yet: only the sources go
        group->setSelected(true);
    }
};

class UngroupEdit : public DrawSiteEdit {
public:
    UngroupEdit() : DrawSiteEdit(groupedAs(QStringLiteral("グループ化解除"), QStringLiteral("TDOGroup"))) {}

protected:
    void eachObject(DrawSite&, TDrawObject& object) override {
        auto& group = static_cast<TDOGroup&>(object);
        TActionList& history = TActionList::instance();
        group.ungroup(history);
        auto removal = std::make_unique<TDODelAction>(group, QString());
        removal->perform();
        history.addAction(std::move(removal));
    }
};

}  // namespace

bool canGroup(const TDrawSite& site) { return site.selection().size() >= 2; }

bool canUngroup(const TDrawSite& site) {
    return std::ranges::any_of(site.selection(), [](const TDrawObject* o) { return dynamic_cast<const TDOGroup*>(o); });
}

void groupObjects(TDrawSite& site) {
    if (!canGroup(site)) return;
    site.hideHandles();
    GroupEdit edit;
    if (edit.canExecute(site)) edit.runTargets(site, TActionList::instance());
    site.refreshHandles();
}

void ungroupObjects(TDrawSite& site) {
    if (!canUngroup(site)) return;
    site.hideHandles();
    UngroupEdit edit;
    if (edit.canExecute(site)) edit.runTargets(site, TActionList::instance());
    site.refreshHandles();
}

}  // namespace poremi
