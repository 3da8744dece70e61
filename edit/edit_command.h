#pragma once
// The machinery of the edit commands: collect the targets of a draw site (the selected or all
// objects, filtered by class and by the command), run a first step and a step per object, and
// record undo actions of a declared kind. One execution is one undo step.

#include "document/model/object_list.h"

#include <QtCore/QString>
#include <functional>

namespace poremi {

class DrawSite;
class TActionList;
class TDrawObject;

// The undo action recorded per object.
enum TActionType { atNone, atDelete, atAdd, atChange, atLayer };

struct TargetRule {
    bool multiSelect = true;   // more than one target is accepted
    bool selectedOnly = true;  // the selected objects, else all
    bool fromFront = false;    // per-object order front to back, else back to front
    // When set, only objects of this class or its descendants are targets; a non-matching
    // candidate empties the list with targetClassOnly, else it is dropped alone.
    QString targetClassName;
    bool targetClassOnly = false;
    TActionType actionType = atNone;
    // The caption of the undo step; empty takes the first action's.
    QString actionString;
};

class DrawSiteEdit {
public:
    explicit DrawSiteEdit(TargetRule rule = {}) : rule_(std::move(rule)) {}
    virtual ~DrawSiteEdit() = default;
    DrawSiteEdit(const DrawSiteEdit&) = delete;
    DrawSiteEdit& operator=(const DrawSiteEdit&) = delete;

    TargetRule& rule() { return rule_; }
    const TargetRule& rule() const { return rule_; }
    // Front to back, as the last makeList left them.
    const TDOList& targets() const { return list_; }

    // Collects the site's candidates (front to back), filters them by class and by the
    // command's own test, then calls listMade.
    virtual void makeList(DrawSite& site);
    // Makes the list and checks it: exactly one target for a single-target command on the
    // selection, else at least one.
    bool canExecute(DrawSite& site);
    // Runs the first step and the step per object on the list made, as one undo step.
    void runTargets(DrawSite& site, TActionList& history);
    // While running, the list is the running command's: enabled-state checks (from signals
    // the command's own steps send) leave it alone.
    bool isRunning() const { return running_; }

protected:
    // The command's own filter.
    virtual bool acceptsTarget(const TDrawObject&) const { return true; }
    virtual void listMade(DrawSite&) {}
    virtual void executeFirst(DrawSite&) {}
    virtual void eachObject(DrawSite&, TDrawObject&) {}
    // False skips the per-object part (an operation without a step per object).
    virtual bool hasEachStep() const { return true; }
    bool listFitsRule() const;
    TDOList& list() { return list_; }

    // Marks the command as running for its lifetime.
    class RunningScope {
    public:
        explicit RunningScope(DrawSiteEdit& edit) : edit_(edit), was_(edit.running_) { edit_.running_ = true; }
        ~RunningScope() { edit_.running_ = was_; }
        RunningScope(const RunningScope&) = delete;
        RunningScope& operator=(const RunningScope&) = delete;

    private:
        DrawSiteEdit& edit_;
        bool was_;
    };

private:
    void runOne(DrawSite& site, TDrawObject& object, TActionList& history);

    TargetRule rule_;
    TDOList list_;
    bool running_ = false;
};

// A screen's own object operation without a menu entry; it records into the application's
// history.
class TDSOperation : public DrawSiteEdit {
public:
    using DrawSiteEdit::DrawSiteEdit;

    std::function<void(DrawSite&)> OnExecute;
    std::function<void(DrawSite&, TDOList&)> OnMakeList;
    std::function<void(DrawSite&, TDrawObject&)> OnEachObject;

    // Makes the list and tests it.
    bool prepare(DrawSite& site) { return canExecute(site); }
    // Nothing unless OnExecute or OnEachObject is set, or when the list fails the test.
    void execute(DrawSite& site);

protected:
    void listMade(DrawSite& site) override;
    void executeFirst(DrawSite& site) override;
    void eachObject(DrawSite& site, TDrawObject& object) override;
    bool hasEachStep() const override { return static_cast<bool>(OnEachObject); }
};

}  // namespace poremi
