#pragma once
// The free-design screen "アレンジ": one label on a draw site where tools create objects, the
// style toolbar sets fonts and colours, and the arrangement commands place them; rulers and
// the main window's status bar show positions in millimetres.

#include "app/screens/hosted_screen_menus.h"
#include "app/screens/screen.h"
#include "app/screens/working_copy.h"

#include <QtCore/QPoint>
#include <QtCore/QPointer>
#include <memory>
#include <optional>

class QMainWindow;
class QMenu;
class QToolButton;

namespace poremi {

class CoalescedRefresh;
class FreeScreenCommands;
class FreeScreenRibbon;
class FreeScreenStatusBar;
class LabelView;
class ScreenZoom;
class StyleEditor;
class StyleToolBar;
class TDrawObject;
class TDrawSite;
class TLabelData;

class TfrmQelFree final : public Screen {
    Q_OBJECT
public:
    explicit TfrmQelFree(QWidget* parent = nullptr);
    ~TfrmQelFree() override;

    ScreenKind kind() const override { return ScreenKind::FreeDesign; }
    void load(TLabelData& document) override;
    bool store(TLabelData& document) override;
    bool isModified() const override;
    void markSaved() override;

    // The screen the user came from (none: the window showed no screen before); it decides
    // the ribbon's steps and where "戻る" goes.
    void setEnteredFrom(std::optional<ScreenKind> screen);

    TDrawSite& site() const;
    LabelView& view() const { return *view_; }
    StyleToolBar& styleToolBar() const { return *styleBar_; }
    StyleEditor& styleEditor() const { return *style_; }
    FreeScreenCommands& commands() const { return *commands_; }
    ScreenZoom& zoom() const { return *zoom_; }
    FreeScreenStatusBar* statusPanels() const { return status_.get(); }
    // The button beside the site or in the ribbon with the caption, or null.
    QToolButton* button(const QString& caption) const;
    // The ribbon's step captions and the main window command of "戻る".
    QStringList ribbonSteps() const;
    QString backCommand() const;
    // Runs the pending refresh of the status bar, toolbar and commands now.
    void refreshNow();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeToolColumn();
    QToolButton* addButton(QWidget& parent, const QString& caption, QAction* command);
    void attachToWindow();
    void activate();
    void close();
    void objectAdded(TDrawObject& object);
    void zoomChosen(int percent);
    void refresh();
    void runWindowCommand(const QString& name);
    void selectTool();

    WorkingCopy copy_;
    TLabelData* document_ = nullptr;
    std::optional<ScreenKind> enteredFrom_;
    LabelView* view_;
    StyleToolBar* styleBar_;
    StyleEditor* style_;
    ScreenZoom* zoom_;
    FreeScreenCommands* commands_;
    FreeScreenRibbon* ribbon_;
    CoalescedRefresh* refresh_;
    QMenu* contextMenu_;
    QPointer<QMainWindow> window_;
    QList<QMenu*> menus_;  // the screen's own, shown in the window's menu bar
    HostedScreenMenus hostedMenus_;
    std::unique_ptr<FreeScreenStatusBar> status_;
    QPoint pointer_;
    bool active_ = false;
};

}  // namespace poremi
