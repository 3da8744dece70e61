#include "app/screens/free_screen_tools.h"

#include "document/model/action_history.h"
#include "document/model/designer.h"
#include "document/model/object_actions.h"
#include "edit/draw_site_widget.h"
#include "objects/picture_back_image.h"

#include <QtGui/QAction>
#include <memory>

namespace poremi {

const std::vector<FreeScreenTool>& freeScreenTools() {
    static const std::vector<FreeScreenTool> tools{
        {"actText", "文字(&T)...", "文字", "TLOText", true, false},
        {"actWizardText", "ウイザード文字(&W)", "", "TLOWizardText", false, true},
        {"actOnePoint", "イラスト(&O)...", "イラスト集", "TLOOnePoint", false, false},
        {"actImageFile", "画像ファイル(&F)...", "画像ファイル", "TLOImage", true, false},
        {"actTwain", "TWAIN画像(&T)...", "TWAIN画像", "TLOTwain", false, false},
        {"actAlphaMask", "カラーマーク(&A)", "カラーマーク", "TLOAlphaMask", true, false},
        {"actBackground", "背景柄(&B)...", "背景柄", "TLOBackImage", true, false},
        {"actInsertionText", "差込み文字(&N)...", "", "TLOInsText", false, false},
        {"actInsertionImage", "差込みイラスト(&N)...", "", "TLOInsImage", false, false},
        {"actInsertionBarcode", "差込みバーコード(&S)...", "", "TLOInsBarCode", false, false},
        {"actNumbering", "ナンバリング(&N)...", "", "TLONumbering", false, false},
        {"actDate", "日付・時間(&D)...", "日付・時間", "TLODate", true, false},
        {"actDecoString", "飾り文字(&I)...", "", "TLODecoString", false, false},
        {"actJANCode", "JANコード(&J)...", "JANコード", "TLOJANCode", true, false},
        {"actLine", "直線(&L)", "直線", "TLOLine", true, false},
        {"actArc", "円弧(&A)", "円弧", "TLOCurve", true, false},
        {"actRect", "四角(&R)", "四角", "TLORect", true, false},
        {"actCircle", "円(&E)", "円", "TLOCircle", true, false},
        {"actDecoLine", "飾り罫線(&D)...", "飾り罫線", "TLODecoLine", true, false},
    };
    return tools;
}

const FreeScreenTool* freeScreenTool(const QString& command) {
    for (const FreeScreenTool& tool : freeScreenTools())
        if (tool.command == command) return &tool;
    return nullptr;
}

TLOBackImage* labelBackground(const DrawSite& site) {
    for (TDrawObject* object : site.drawObjects())
        if (auto* background = dynamic_cast<TLOBackImage*>(object)) return background;
    return nullptr;
}

FreeScreenTools::FreeScreenTools(std::function<TDrawSite*()> site, bool specialMenu, QObject* parent)
    : QObject(parent), site_(std::move(site)) {
    for (const FreeScreenTool& tool : freeScreenTools()) {
        auto* command = new QAction(tool.menuCaption, this);
        command->setObjectName(tool.command);
        command->setEnabled(tool.available);
        command->setVisible(!tool.specialMenu || specialMenu);
        connect(command, &QAction::triggered, this, [this, &tool] { run(tool); });
        actions_.push_back(command);
    }
}

QAction* FreeScreenTools::action(const QString& command) const {
    for (QAction* candidate : actions_)
        if (candidate->objectName() == command) return candidate;
    return nullptr;
}

void FreeScreenTools::run(const FreeScreenTool& tool) {
    if (!tool.available) return;
    if (tool.toolName == u"TLOBackImage") return runBackground();
    if (TDrawSite* site = site_()) {
        site->setFocus();
        TDODesignerList::instance().createObject(*site, tool.toolName);
    }
}

void FreeScreenTools::runBackground() {
    TDrawSite* site = site_();
    if (!site) return;
    site->setFocus();
    TLOBackImage* background = labelBackground(*site);
    if (!background) {
        TDODesignerList::instance().createObject(*site, QStringLiteral("TLOBackImage"));
        return;
    }
    site->clearGhosts();
    auto change = std::make_unique<TDOChangeAction>(*background, QStringLiteral("背景変更"));
    if (TDODesignerList::instance().edit(*background)) TDOChangeAction::commit(std::move(change), TActionList::instance());
}

}  // namespace poremi
