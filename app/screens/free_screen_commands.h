#pragma once
// Every command of the free-design screen and where it is offered: the menus it puts into the
// main window's menu bar while it lives, and the site's pop-up menu.

#include <QtCore/QObject>
#include <QtCore/QList>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace poremi {

class EditCommands;
class FreeScreenArrangeCommands;
class FreeScreenGridCommands;
class FreeScreenTools;
class ScreenZoom;
class TDSAOffsetAngle;
class TDrawSite;
class TFaceInfo;

struct FreeScreenCommandHooks {
    std::function<TDrawSite*()> site;          // the site the commands act on
    std::function<const TFaceInfo*()> face;    // the label it shows
    std::function<void()> back;                // "前の画面に戻る(&P)"
    std::function<void()> menu;                // "メニュー(&M)"
    bool specialMenu = false;                  // EnableSpecialMenu
};

class FreeScreenCommands : public QObject {
    Q_OBJECT
public:
    FreeScreenCommands(FreeScreenCommandHooks hooks, QObject* parent);
    ~FreeScreenCommands() override;

    EditCommands& edit() const { return *edit_; }
    FreeScreenTools& tools() const { return *tools_; }
    FreeScreenArrangeCommands& arrange() const { return *arrange_; }
    FreeScreenGridCommands& grid() const { return *grid_; }
    QAction* back() const { return back_; }
    QAction* menu() const { return menu_; }
    // "プロパティ(&O)" of the pop-up menu: the property editor of the selection, else the background.
    QAction* properties() const { return properties_; }
    QAction* wizardTextOrder() const { return wizardTextOrder_; }
    const std::vector<TDSAOffsetAngle*>& rotations() const { return rotations_; }

    // "編集(&E)" … "表示(&V)", owned by parent, for the main window's menu bar.
    QList<QMenu*> makeMenus(QWidget* parent, const ScreenZoom& zoom) const;
    // The site's pop-up menu, owned by parent.
    QMenu* makeContextMenu(QWidget* parent) const;
    void updateStates();

private:
    void addRotations(QMenu& menu) const;

    FreeScreenCommandHooks hooks_;
    EditCommands* edit_;
    FreeScreenTools* tools_;
    FreeScreenArrangeCommands* arrange_;
    FreeScreenGridCommands* grid_;
    std::vector<TDSAOffsetAngle*> rotations_;
    QAction* back_;
    QAction* menu_;
    QAction* properties_;
    QAction* wizardTextOrder_;
};

}  // namespace poremi
