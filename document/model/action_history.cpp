#include "document/model/action_history.h"

#include "base/format.h"

#include <ranges>

namespace poremi {

std::uint8_t TActionGroup::flags() const {
    if (members_.empty()) return TActionBase::flags();
    std::uint8_t all = members_.front()->flags();
    for (const auto& member : members_) all &= member->flags();
    return all;
}

QString TActionGroup::caption() const {
    const QString own = TActionBase::caption();
    if (!own.isEmpty() || members_.empty()) return own;
    return members_.front()->caption();
}

void TActionGroup::repeat() {
    for (const auto& member : members_) member->repeat();
}

void TActionGroup::redo() {
    for (const auto& member : members_) member->redo();
}

void TActionGroup::undo() {
    for (const auto& member : members_ | std::views::reverse) member->undo();
}

TActionList& TActionList::instance() {
    static TActionList list;
    return list;
}

void TActionList::addAction(std::unique_ptr<TActionBase> action) {
    if (!recording_ || !action) return;
    if (!openGroups_.empty()) {
        openGroups_.back()->add(std::move(action));
        return;
    }
    actions_.erase(actions_.begin() + (current_ + 1), actions_.end());
    actions_.push_back(std::move(action));
    current_ = count() - 1;
    while (count() > kLimit) {
        actions_.erase(actions_.begin());
        --current_;
    }
}

void TActionList::beginGroup(const QString& caption) {
    openGroups_.push_back(std::make_unique<TActionGroup>(caption));
}

void TActionList::endGroup() {
    if (openGroups_.empty()) throw EActionGroupError(QStringLiteral("group level is invalid"));
    std::unique_ptr<TActionGroup> group = std::move(openGroups_.back());
    openGroups_.pop_back();
    if (!group->isEmpty()) addAction(std::move(group));
}

bool TActionList::canUndo() const {
    return current_ >= 0 && current_ < count() && (actions_[current_]->flags() & TActionBase::CanUndo);
}

bool TActionList::atEndRepeating() const { return repeatMode_ && current_ >= 0 && current_ == count() - 1; }

bool TActionList::canRedo() const {
    if (current_ + 1 < count()) return actions_[current_ + 1]->flags() & TActionBase::CanRedo;
    return atEndRepeating() && (actions_[current_]->flags() & TActionBase::CanRepeat);
}

void TActionList::undo() {
    if (!canUndo()) return;
    actions_[current_]->undo();
    --current_;
}

void TActionList::redo() {
    if (!canRedo()) return;
    if (current_ + 1 < count()) {
        actions_[current_ + 1]->redo();
        ++current_;
    } else {
        actions_[current_]->repeat();
    }
}

QString TActionList::undoCaption() const {
    return current_ >= 0 && current_ < count() ? actions_[current_]->caption() : QString();
}

QString TActionList::redoCaption() const {
    if (current_ + 1 < count()) return actions_[current_ + 1]->caption();
    return atEndRepeating() ? actions_[current_]->caption() : QString();
}

QString TActionList::undoCommandCaption() const {
    const QString caption = canUndo() ? undoCaption() : QString();
    // Without a name the command is only "取り消し", never "の取り消し".
    return caption.isEmpty() ? QStringLiteral("取り消し(&U)") : format(QStringLiteral("%sの取り消し(&U)"), {caption});
}

QString TActionList::redoCommandCaption() const {
    const QString caption = canRedo() ? redoCaption() : QString();
    return caption.isEmpty() ? QStringLiteral("やり直し(&R)") : format(QStringLiteral("%sのやり直し(&R)"), {caption});
}

void TActionList::clear() {
    openGroups_.clear();
    actions_.clear();
    current_ = -1;
}

}  // namespace poremi
