#include "app/screens/free_screen_commands.h"

#include "app/screens/free_screen_arrange.h"
#include "app/screens/free_screen_grid.h"
#include "app/screens/free_screen_tools.h"
#include "app/screens/screen_zoom.h"
#include "edit/draw_site_widget.h"
#include "edit/edit_command_actions.h"

#include <QtGui/QAction>
#include <QtWidgets/QMenu>

namespace poremi {

FreeScreenCommands::FreeScreenCommands(FreeScreenCommandHooks hooks, QObject* parent)
    : QObject(parent), hooks_(std::move(hooks)) {
    edit_ = new EditCommands(this);
    tools_ = new FreeScreenTools(hooks_.site, hooks_.specialMenu, this);
    arrange_ = new FreeScreenArrangeCommands(hooks_.site, hooks_.face, this);
    grid_ = new FreeScreenGridCommands(hooks_.site, this);
    for (const auto& [caption, angle] : {std::pair{QStringLiteral("右に90ﾟ(&I)"), 90},
                                         std::pair{QStringLiteral("左に90ﾟ(&E)"), 270},
                                         std::pair{QStringLiteral("180ﾟ(&O)"), 180}}) {
        auto* rotation = new TDSAOffsetAngle(caption, angle, this);
        edit_->add(*rotation);
        rotations_.push_back(rotation);
    }
    back_ = new QAction(QStringLiteral("前の画面に戻る(&P)"), this);
    connect(back_, &QAction::triggered, this, [this] { hooks_.back(); });
    menu_ = new QAction(QStringLiteral("メニュー(&M)"), this);
    connect(menu_, &QAction::triggered, this, [this] { hooks_.menu(); });
    properties_ = new QAction(QStringLiteral("プロパティ(&O)"), this);
    connect(properties_, &QAction::triggered, this, [this] {
        edit_->editProperty->updateEnabled();
        if (edit_->editProperty->isEnabled())
            edit_->editProperty->trigger();
        else
            tools_->runBackground();
    });
    // The ordering dialog of wizard texts does not exist yet.
    wizardTextOrder_ = new QAction(QStringLiteral("ウイザード文字の整列(&A)"), this);
    wizardTextOrder_->setEnabled(false);
    wizardTextOrder_->setVisible(hooks_.specialMenu);
}

FreeScreenCommands::~FreeScreenCommands() = default;

void FreeScreenCommands::addRotations(QMenu& menu) const {
    QMenu* turn = menu.addMenu(QStringLiteral("回転(&T)"));
    for (TDSAOffsetAngle* rotation : rotations_) turn->addAction(rotation);
}

QList<QMenu*> FreeScreenCommands::makeMenus(QWidget* parent, const ScreenZoom& zoom) const {
    QList<QMenu*> menus;
    const auto addMenu = [&](const QString& caption) {
        menus.append(new QMenu(caption, parent));
        return menus.back();
    };
    const auto tool = [this](const char* command) { return tools_->action(QString::fromLatin1(command)); };

    QMenu* edit = addMenu(QStringLiteral("編集(&E)"));
    edit->addActions({edit_->undo, edit_->redo});
    edit->addSeparator();
    edit->addActions({edit_->cut, edit_->copy, edit_->paste, edit_->clear});
    edit->addSeparator();
    edit->addAction(edit_->selectAll);

    QMenu* text = addMenu(QStringLiteral("文字(&S)"));
    text->addActions({tool("actText"), tool("actWizardText"), wizardTextOrder_});
    text->addSeparator();
    text->addActions({edit_->horzText, edit_->vertText});
    text->addSeparator();
    text->addAction(arrange_->splitText());

    QMenu* image = addMenu(QStringLiteral("画像(&I)"));
    for (const char* command : {"actOnePoint", "actImageFile", "actTwain", "actAlphaMask", "actBackground"})
        image->addAction(tool(command));
    // The shape tools, which no other menu offers.
    QMenu* shapes = image->addMenu(QStringLiteral("図形(&Z)"));
    for (const char* command : {"actLine", "actArc", "actRect", "actCircle", "actDecoLine", "actDate", "actJANCode"})
        shapes->addAction(tool(command));

    QMenu* place = addMenu(QStringLiteral("位置(&L)"));
    place->addActions({arrange_->position(), arrange_->align()});
    place->addSeparator();
    place->addActions({arrange_->group(), arrange_->ungroup()});
    place->addSeparator();
    addRotations(*place);
    place->addActions({edit_->bringToFront, edit_->sendToBack});

    QMenu* settings = addMenu(QStringLiteral("設定(&D)"));
    settings->addMenu(QStringLiteral("オブジェクト固定(&L)"))->addActions({edit_->lock, edit_->unlock});
    settings->addMenu(QStringLiteral("オブジェクト印刷禁止(&P)"))->addActions({edit_->dontPrint, edit_->doPrint});

    QMenu* view = addMenu(QStringLiteral("表示(&V)"));
    view->addActions(zoom.actions());
    view->addSeparator();
    grid_->addTo(*view);
    view->addSeparator();
    view->addActions({back_, menu_});

    for (QMenu* menu : {edit, text, image, shapes, place, settings, view}) {
        edit_->watchMenu(*menu);
        connect(menu, &QMenu::aboutToShow, arrange_, &FreeScreenArrangeCommands::updateStates);
        connect(menu, &QMenu::aboutToShow, grid_, &FreeScreenGridCommands::updateStates);
    }
    return menus;
}

QMenu* FreeScreenCommands::makeContextMenu(QWidget* parent) const {
    auto* menu = new QMenu(parent);
    menu->addActions({edit_->cut, edit_->copy, edit_->paste, edit_->clear});
    menu->addSeparator();
    menu->addAction(arrange_->position());
    addRotations(*menu);
    menu->addActions({edit_->bringToFront, edit_->sendToBack});
    menu->addSeparator();
    menu->addAction(properties_);
    edit_->watchMenu(*menu);
    connect(menu, &QMenu::aboutToShow, arrange_, &FreeScreenArrangeCommands::updateStates);
    return menu;
}

void FreeScreenCommands::updateStates() {
    edit_->updateStates();
    arrange_->updateStates();
    grid_->updateStates();
}

}  // namespace poremi
