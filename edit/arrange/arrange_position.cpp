#include "edit/arrange/arrange_position.h"

#include "base/arithmetic.h"
#include "document/model/action_history.h"
#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/property_interfaces.h"
#include "edit/draw_site_widget.h"
#include "edit/edit_command.h"
#include "paper/face_info.h"
#include "render/geometry/rect.h"

#include <QtGui/QRegion>
#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <vector>

namespace poremi {

namespace {

bool turns(PositionMode mode) {
    return mode == PositionMode::PerpendicularToCentre || mode == PositionMode::ParallelToCentre;
}

// Per row (or column) of [first, last) the nearest and farthest reach of the region across it.
struct Reach {
    std::vector<int> nearEnd;  // left (top) of the region in that row (column); INT_MAX: none
    std::vector<int> farEnd;   // right (bottom), exclusive
};

Reach reachAcross(const QRegion& region, int first, int last, bool rows) {
    Reach reach{std::vector<int>(std::size_t(last - first), INT_MAX), std::vector<int>(std::size_t(last - first), INT_MIN)};
    for (const QRect& r : region) {
        const int from = std::max(rows ? r.top() : r.left(), first);
        const int to = std::min(rows ? r.bottom() + 1 : r.right() + 1, last);
        const int nearEnd = rows ? r.left() : r.top();
        const int farEnd = rows ? r.right() + 1 : r.bottom() + 1;
        for (int i = from; i < to; ++i) {
            const std::size_t at = std::size_t(i - first);
            reach.nearEnd[at] = std::min(reach.nearEnd[at], nearEnd);
            reach.farEnd[at] = std::max(reach.farEnd[at], farEnd);
        }
    }
    return reach;
}

class PositionEdit : public DrawSiteEdit {
public:
    PositionEdit(const TFaceInfo& face, PositionMode mode) : DrawSiteEdit(ruleFor()), mode_(mode) {
        const TRect outer = face.outerRect();
        region_ = face.createRegion(false).translated(-outer.left, -outer.top);
    }

protected:
    bool acceptsTarget(const TDrawObject& object) const override {
        if (turns(mode_)) return dynamic_cast<const IDOAngle*>(&object) != nullptr;
        return dynamic_cast<const IDOMovable*>(&object) != nullptr;
    }

    void eachObject(DrawSite& site, TDrawObject& object) override {
        const QSize area = site.logicalSize();
        const TRect bounds = object.getBounds();
        if (turns(mode_)) {
            const int direction = directionFromCentre(bounds, {area.width() / 2, area.height() / 2});
            dynamic_cast<IDOAngle&>(object).setAngle(mode_ == PositionMode::PerpendicularToCentre ? direction + 90 : direction);
            return;
        }
        QPoint offset;
        switch (mode_) {
        case PositionMode::ToVerticalCentre:
            offset.ry() = int(idiv(qint64(area.height()) - rectHeight(bounds), 2) - bounds.top);
            break;
        case PositionMode::ToHorizontalCentre:
            offset.rx() = int(idiv(qint64(area.width()) - rectWidth(bounds), 2) - bounds.left);
            break;
        default:
            if (region_.isEmpty()) return;
            if (const std::optional<QPoint> edge = edgeOffset(region_, bounds, mode_)) offset = *edge;
            break;
        }
        if (!offset.isNull()) dynamic_cast<IDOMovable&>(object).moveBy(offset.x(), offset.y());
    }

private:
    static TargetRule ruleFor() {
        TargetRule rule;
        rule.actionType = atChange;
        rule.actionString = QStringLiteral("設定変更");
        return rule;
    }

    PositionMode mode_;
    QRegion region_;
};

}  // namespace

bool canPosition(const TDrawSite& site) { return !site.selection().empty(); }

void positionObjects(TDrawSite& site, const TFaceInfo& face, PositionMode mode) {
    PositionEdit edit(face, mode);
    if (edit.canExecute(site)) edit.runTargets(site, TActionList::instance());
}

std::optional<QPoint> edgeOffset(const QRegion& region, const TRect& bounds, PositionMode mode) {
    const bool rows = mode == PositionMode::ToLeftEdge || mode == PositionMode::ToRightEdge;
    if (!rows && mode != PositionMode::ToTopEdge && mode != PositionMode::ToBottomEdge) return std::nullopt;
    const QRect box = region.boundingRect();
    // Only the rows (columns) the region spans can meet it.
    const int first = std::max(rows ? bounds.top : bounds.left, rows ? box.top() : box.left());
    const int last = std::min(rows ? bounds.bottom : bounds.right, rows ? box.bottom() + 1 : box.right() + 1);
    if (first >= last) return std::nullopt;
    const Reach reach = reachAcross(region, first, last, rows);
    const bool towardsStart = mode == PositionMode::ToLeftEdge || mode == PositionMode::ToTopEdge;
    std::optional<int> edge;
    for (std::size_t i = 0; i < reach.nearEnd.size(); ++i) {
        if (reach.nearEnd[i] == INT_MAX) continue;
        // The edge must lie inside the outline in every row: the innermost reach wins.
        edge = towardsStart ? std::max(edge.value_or(INT_MIN), reach.nearEnd[i])
                            : std::min(edge.value_or(INT_MAX), reach.farEnd[i]);
    }
    if (!edge) return std::nullopt;
    const int from = rows ? (towardsStart ? bounds.left : bounds.right) : (towardsStart ? bounds.top : bounds.bottom);
    const int shift = int(qint64(*edge) - from);
    return rows ? QPoint(shift, 0) : QPoint(0, shift);
}

int directionFromCentre(const TRect& bounds, QPoint centre) {
    const QPoint middle = rectCenter(bounds);
    const double dx = double(middle.x()) - centre.x();
    const double dy = double(middle.y()) - centre.y();
    return int(roundHalfEven(std::atan2(dy, dx) * 180.0 / std::numbers::pi));
}

}  // namespace poremi
