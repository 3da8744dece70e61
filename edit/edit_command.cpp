#include "edit/edit_command.h"

#include "document/model/action_history.h"
#include "document/model/draw_object.h"
#include "document/model/draw_site.h"
#include "document/model/object_actions.h"

#include <algorithm>
#include <memory>

namespace poremi {

namespace {

bool isOfClass(const TDrawObject& object, const QString& className) {
    for (const TClassInfo* info = &object.classInfo(); info; info = info->base())
        if (info->name() == className) return true;
    return false;
}

// Closes the group however the execution ends.
class GroupScope {
public:
    GroupScope(TActionList& history, const QString& caption) : history_(history) { history_.beginGroup(caption); }
    ~GroupScope() { history_.endGroup(); }
    GroupScope(const GroupScope&) = delete;
    GroupScope& operator=(const GroupScope&) = delete;

private:
    TActionList& history_;
};

}  // namespace

void DrawSiteEdit::makeList(DrawSite& site) {
    list_.clear();
    const std::vector<TDrawObject*>& backToFront = site.drawObjects();
    for (auto it = backToFront.rbegin(); it != backToFront.rend(); ++it) {
        TDrawObject* object = *it;
        if (rule_.selectedOnly && !object->isSelected()) continue;
        if (!rule_.targetClassName.isEmpty() && !isOfClass(*object, rule_.targetClassName)) {
            if (rule_.targetClassOnly) {
                list_.clear();
                break;
            }
            continue;
        }
        if (acceptsTarget(*object)) list_.add(object);
    }
    listMade(site);
}

bool DrawSiteEdit::listFitsRule() const {
    if (rule_.selectedOnly && !rule_.multiSelect) return list_.count() == 1;
    return list_.count() > 0;
}

bool DrawSiteEdit::canExecute(DrawSite& site) {
    makeList(site);
    return listFitsRule();
}

void DrawSiteEdit::runTargets(DrawSite& site, TActionList& history) {
    // Every action of one execution is one step, so that one undo takes the whole command back.
    RunningScope running(*this);
    std::vector<TDrawObject*> order = list_.items();
    if (!rule_.fromFront) std::reverse(order.begin(), order.end());
    GroupScope group(history, rule_.actionString);
    executeFirst(site);
    if (!hasEachStep()) return;
    for (TDrawObject* object : order) runOne(site, *object, history);
}

void DrawSiteEdit::runOne(DrawSite& site, TDrawObject& object, TActionList& history) {
    switch (rule_.actionType) {
    case atDelete: {
        auto action = std::make_unique<TDODelAction>(object, QString());
        eachObject(site, object);
        action->perform();
        history.addAction(std::move(action));
        break;
    }
    case atAdd:
        eachObject(site, object);
        history.addAction(std::make_unique<TDOAddAction>(object, QString()));
        break;
    case atChange: {
        auto snapshot = std::make_unique<TDOChangeAction>(object, QString());
        eachObject(site, object);
        TDOChangeAction::commit(std::move(snapshot), history);
        break;
    }
    case atLayer: {
        auto snapshot = std::make_unique<TDOLayerAction>(site, QString());
        eachObject(site, object);
        TDOLayerAction::commit(std::move(snapshot), history);
        break;
    }
    case atNone:
        eachObject(site, object);
        break;
    }
}

void TDSOperation::execute(DrawSite& site) {
    if (!OnExecute && !OnEachObject) return;
    if (!canExecute(site)) return;
    runTargets(site, TActionList::instance());
}

void TDSOperation::listMade(DrawSite& site) {
    if (OnMakeList) OnMakeList(site, list());
}

void TDSOperation::executeFirst(DrawSite& site) {
    if (OnExecute) OnExecute(site);
}

void TDSOperation::eachObject(DrawSite& site, TDrawObject& object) {
    if (OnEachObject) OnEachObject(site, object);
}

}  // namespace poremi
