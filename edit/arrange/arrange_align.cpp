#include "edit/arrange/arrange_align.h"

#include "base/arithmetic.h"
#include "document/model/action_history.h"
#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "edit/draw_site_widget.h"
#include "edit/edit_command.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace poremi {

namespace {

std::int32_t toInt32(qint64 value) { return std::int32_t(std::clamp<qint64>(value, INT32_MIN, INT32_MAX)); }

TRect unionOf(const std::vector<TRect>& bounds) {
    TRect all = bounds.front();
    for (const TRect& b : bounds)
        all = {std::min(all.left, b.left), std::min(all.top, b.top), std::max(all.right, b.right), std::max(all.bottom, b.bottom)};
    return all;
}

// The shift of each of the bounds along one axis that spaces them evenly.
std::vector<int> spacedShifts(const std::vector<TRect>& bounds, bool horizontal) {
    const auto start = [horizontal](const TRect& r) { return qint64(horizontal ? r.left : r.top); };
    const auto extent = [horizontal](const TRect& r) { return qint64(horizontal ? rectWidth(r) : rectHeight(r)); };
    const auto middle = [horizontal](const TRect& r) { return horizontal ? rectCenter(r).x() : rectCenter(r).y(); };
    std::vector<std::size_t> order(bounds.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return middle(bounds[a]) < middle(bounds[b]); });
    const TRect all = unionOf(bounds);
    const qint64 taken = std::accumulate(bounds.begin(), bounds.end(), qint64(0),
                                         [&](qint64 sum, const TRect& r) { return sum + extent(r); });
    const std::int32_t gap = toInt32((horizontal ? rectWidth(all) : rectHeight(all)) - taken);
    const auto last = std::int32_t(bounds.size() - 1);
    std::vector<int> shifts(bounds.size());
    qint64 before = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const TRect& r = bounds[order[k]];
        const qint64 target = (horizontal ? all.left : all.top) + before + mulDiv(std::int32_t(k), gap, last);
        shifts[order[k]] = toInt32(target - start(r));
        before += extent(r);
    }
    return shifts;
}

class AlignEdit : public DrawSiteEdit {
public:
    explicit AlignEdit(AlignMode mode) : DrawSiteEdit(ruleFor()), mode_(mode) {}

    bool enoughTargets() const { return targets().count() >= 2; }

protected:
    bool acceptsTarget(const TDrawObject& object) const override {
        return dynamic_cast<const IDOMovable*>(&object) != nullptr;
    }

    // All moves follow from the bounds before the first one.
    void executeFirst(DrawSite&) override {
        std::vector<TRect> bounds;
        for (TDrawObject* object : targets().items()) bounds.push_back(object->getBounds());
        const std::vector<QPoint> offsets = alignOffsets(bounds, mode_);
        offsets_.clear();
        for (std::size_t i = 0; i < offsets.size(); ++i) offsets_[targets().items()[i]] = offsets[i];
    }

    void eachObject(DrawSite&, TDrawObject& object) override {
        const QPoint offset = offsets_.at(&object);
        if (!offset.isNull()) dynamic_cast<IDOMovable&>(object).moveBy(offset.x(), offset.y());
    }

private:
    static TargetRule ruleFor() {
        TargetRule rule;
        rule.targetClassName = QStringLiteral("TLabelObject");
        rule.actionType = atChange;
        rule.actionString = QStringLiteral("位置合わせ");
        return rule;
    }

    AlignMode mode_;
    std::map<const TDrawObject*, QPoint> offsets_;
};

}  // namespace

bool canAlign(TDrawSite& site) {
    AlignEdit edit(AlignMode::Left);
    edit.makeList(site);
    return edit.enoughTargets();
}

void alignObjects(TDrawSite& site, AlignMode mode) {
    AlignEdit edit(mode);
    edit.makeList(site);
    if (edit.enoughTargets()) edit.runTargets(site, TActionList::instance());
}

std::vector<QPoint> alignOffsets(const std::vector<TRect>& bounds, AlignMode mode) {
    std::vector<QPoint> offsets(bounds.size());
    if (bounds.size() < 2) return offsets;
    const TRect all = unionOf(bounds);
    if (mode == AlignMode::SpaceHorizontally || mode == AlignMode::SpaceVertically) {
        const bool horizontal = mode == AlignMode::SpaceHorizontally;
        const std::vector<int> shifts = spacedShifts(bounds, horizontal);
        for (std::size_t i = 0; i < bounds.size(); ++i) offsets[i] = horizontal ? QPoint(shifts[i], 0) : QPoint(0, shifts[i]);
        return offsets;
    }
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        const TRect& b = bounds[i];
        switch (mode) {
        case AlignMode::Left: offsets[i] = {toInt32(qint64(all.left) - b.left), 0}; break;
        case AlignMode::Right: offsets[i] = {toInt32(qint64(all.right) - b.right), 0}; break;
        case AlignMode::Top: offsets[i] = {0, toInt32(qint64(all.top) - b.top)}; break;
        case AlignMode::Bottom: offsets[i] = {0, toInt32(qint64(all.bottom) - b.bottom)}; break;
        default: break;
        }
    }
    return offsets;
}

}  // namespace poremi
