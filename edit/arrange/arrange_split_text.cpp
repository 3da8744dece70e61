#include "edit/arrange/arrange_split_text.h"

#include "document/model/action_history.h"
#include "document/model/object_actions.h"
#include "edit/draw_site_widget.h"
#include "edit/edit_command.h"
#include "objects/text_object.h"

namespace poremi {

namespace {

class SplitTextEdit : public DrawSiteEdit {
public:
    SplitTextEdit() : DrawSiteEdit(ruleFor()) {}

protected:
    bool acceptsTarget(const TDrawObject& object) const override {
        return static_cast<const TLOText&>(object).text().size() > 1;
    }

    void eachObject(DrawSite& site, TDrawObject& object) override {
        const auto& source = static_cast<const TLOText&>(object);
        const QStringList lines = source.text();
        const QSize area = site.logicalSize();
        const TRect frame = centerRectAt(source.textRect(), {area.width() / 2, area.height() / 2});
        const int rowHeight = int(rectHeight(frame) / lines.size());
        site.deselectAll();
        for (qsizetype k = 0; k < lines.size(); ++k) {
            auto* piece = new TLOText(&site);
            piece->setText({lines[k]});
            const int top = int(frame.top + k * rowHeight);
            piece->setRect({frame.left, top, frame.right, top + rowHeight});
            site.addDrawObject(*piece);
            if (site.objectAdded) site.objectAdded(*piece);
            piece->setCursor(Qt::PointingHandCursor);
            TActionList::instance().addAction(std::make_unique<TDOAddAction>(*piece));
            piece->setSelected(true);
        }
    }

private:
    static TargetRule ruleFor() {
        TargetRule rule;
        rule.targetClassName = QStringLiteral("TLOText");
        rule.actionString = QStringLiteral("文字列の分割");
        return rule;
    }
};

}  // namespace

bool canSplitText(TDrawSite& site) { return SplitTextEdit().canExecute(site); }

void splitText(TDrawSite& site) {
    SplitTextEdit edit;
    if (!edit.canExecute(site)) return;
    edit.runTargets(site, TActionList::instance());
    site.refreshHandles();
    site.moveOptions.circle = false;
    site.moveOptions.rotateWithMove = false;
    site.moveOptions.axisLock = false;
}

}  // namespace poremi
