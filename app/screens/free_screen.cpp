#include "app/screens/free_screen.h"

#include "app/screens/coalesced_refresh.h"
#include "app/screens/free_screen_commands.h"
#include "app/screens/free_screen_ribbon.h"
#include "app/screens/free_screen_route.h"
#include "app/screens/free_screen_status.h"
#include "app/screens/free_screen_tools.h"
#include "app/screens/face_site.h"
#include "app/screens/label_view.h"
#include "app/screens/screen_zoom.h"
#include "core/settings.h"
#include "document/model/action_history.h"
#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/label_data.h"
#include "edit/draw_site_widget.h"
#include "edit/edit_command_actions.h"
#include "edit/ghost.h"
#include "edit/style/object_style.h"
#include "edit/style/style_editor.h"
#include "edit/style/style_tool_bar.h"
#include "edit/style/toolbar_style.h"

#include <QtGui/QAction>
#include <QtGui/QKeyEvent>
#include <QtGui/QShortcut>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace poremi {

TfrmQelFree::TfrmQelFree(QWidget* parent)
    : Screen(parent),
      view_(new LabelView(this)),
      styleBar_(new StyleToolBar(this)),
      style_(new StyleEditor(*styleBar_, readDefaultTextStyle(), this)),
      zoom_(new ScreenZoom(ScreenKind::FreeDesign, this)),
      ribbon_(new FreeScreenRibbon(this)),
      refresh_(new CoalescedRefresh([this] { refresh(); }, this)) {
    setObjectName(QStringLiteral("frmQelFree"));
    TActionList::instance().clear();
    TActionList::instance().setRepeatMode(false);

    FreeScreenCommandHooks hooks;
    hooks.site = [this] { return &site(); };
    hooks.face = [this] { return &view_->face(); };
    hooks.back = [this] { runWindowCommand(backCommand()); };
    hooks.menu = [this] { runWindowCommand(QStringLiteral("actQelMenu")); };
    hooks.specialMenu = setting::read(setting::EnableSpecialMenu);
    commands_ = new FreeScreenCommands(std::move(hooks), this);

    TDrawSite& drawSite = site();
    style_->setSite(&drawSite);
    commands_->edit().watchSite(drawSite);
    contextMenu_ = commands_->makeContextMenu(this);
    menus_ = commands_->makeMenus(this, *zoom_);
    drawSite.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&drawSite, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { contextMenu_->popup(site().mapToGlobal(at)); });
    connect(&drawSite, &TDrawSite::selectionChanged, refresh_, &CoalescedRefresh::request);
    connect(&drawSite, &TDrawSite::scalerChanged, refresh_, &CoalescedRefresh::request);
    connect(view_, &LabelView::pointerMoved, this, [this](QPoint logical) {
        pointer_ = logical;
        refresh_->request();
    });
    connect(view_, &LabelView::viewResized, this, [this] {
        if (const TDrawObject* front = frontSelected(site())) view_->ensureVisible(front->getBounds());
    });
    drawSite.onClearGhost = [this] { refresh_->request(); };
    drawSite.onModifyChanged = [this] { refresh_->request(); };
    for (QAction* command : findChildren<QAction*>())
        connect(command, &QAction::triggered, refresh_, &CoalescedRefresh::request);
    connect(styleBar_, &StyleToolBar::changed, refresh_, &CoalescedRefresh::request);
    connect(zoom_, &ScreenZoom::chosen, this, &TfrmQelFree::zoomChosen);
    connect(ribbon_, &FreeScreenRibbon::commandChosen, this, &TfrmQelFree::runWindowCommand);

    // Esc puts the selection tool down, abandoning a tool that waits for its rectangle.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &TfrmQelFree::selectTool);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    for (QComboBox* box : {styleBar_->fontNameBox(), styleBar_->fontSizeBox()}) {
        box->installEventFilter(this);
        if (box->lineEdit()) box->lineEdit()->installEventFilter(this);
    }

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(makeToolColumn());
    body->addWidget(view_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ribbon_);
    layout->addWidget(styleBar_);
    layout->addLayout(body, 1);

    setEnteredFrom(std::nullopt);
    zoomChosen(zoom_->percent());
}

TfrmQelFree::~TfrmQelFree() = default;

TDrawSite& TfrmQelFree::site() const { return view_->site(); }

QToolButton* TfrmQelFree::addButton(QWidget& parent, const QString& caption, QAction* command) {
    auto* made = new QToolButton(&parent);
    made->setText(caption);
    made->setObjectName(caption);
    made->setFocusPolicy(Qt::NoFocus);
    made->setToolButtonStyle(Qt::ToolButtonTextOnly);
    made->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    made->setMinimumHeight(26);
    made->setEnabled(command->isEnabled());
    made->setVisible(command->isVisible());
    // The button follows the command but keeps its own shorter caption.
    connect(command, &QAction::changed, made, [made, command] { made->setEnabled(command->isEnabled()); });
    connect(made, &QToolButton::clicked, command, &QAction::trigger);
    parent.layout()->addWidget(made);
    return made;
}

QWidget* TfrmQelFree::makeToolColumn() {
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("FreeScreenTools"));
    // The tool groups scroll when the window is too short for them; the way out stays in view.
    auto* groups = new QWidget;
    auto* layout = new QVBoxLayout(groups);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    const auto group = [&](const QString& title) {
        auto* box = new QGroupBox(title, groups);
        auto* inner = new QVBoxLayout(box);
        inner->setContentsMargins(4, 4, 4, 4);
        inner->setSpacing(2);
        layout->addWidget(box);
        return box;
    };
    FreeScreenTools& tools = commands_->tools();
    QGroupBox* make = group(QStringLiteral("作成"));
    const auto addTool = [&](QWidget& box, const char* command) {
        const QString name = QString::fromLatin1(command);
        addButton(box, freeScreenTool(name)->buttonCaption, tools.action(name));
    };
    for (const char* command : {"actOnePoint", "actText", "actBackground", "actImageFile", "actTwain", "actAlphaMask"})
        addTool(*make, command);
    // The shape tools have buttons too, so that they can be reached with the mouse.
    QGroupBox* shapes = group(QStringLiteral("図形"));
    for (const char* command : {"actLine", "actArc", "actRect", "actCircle", "actDecoLine", "actDate", "actJANCode"})
        addTool(*shapes, command);
    QGroupBox* order = group(QStringLiteral("編集"));
    addButton(*order, QStringLiteral("前面に移動"), commands_->edit().bringToFront);
    addButton(*order, QStringLiteral("背面に移動"), commands_->edit().sendToBack);
    addButton(*order, QStringLiteral("削除"), commands_->edit().clear);
    layout->addStretch(1);

    auto* scroll = new QScrollArea(column);
    scroll->setObjectName(QStringLiteral("FreeScreenToolScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(groups);

    auto* leave = new QWidget(column);
    leave->setLayout(new QVBoxLayout);
    leave->layout()->setContentsMargins(6, 0, 6, 6);
    leave->layout()->setSpacing(2);
    addButton(*leave, QStringLiteral("戻る"), commands_->back());
    addButton(*leave, QStringLiteral("メニュー"), commands_->menu());

    auto* columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->setSpacing(0);
    columnLayout->addWidget(scroll, 1);
    columnLayout->addWidget(leave);
    column->setFixedWidth(groups->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() + 2);
    return column;
}

QToolButton* TfrmQelFree::button(const QString& caption) const {
    if (QToolButton* step = ribbon_->stepButton(caption)) return step;
    return findChild<QToolButton*>(caption);
}

QStringList TfrmQelFree::ribbonSteps() const { return ribbon_->steps(); }

QString TfrmQelFree::backCommand() const { return freeScreenRoute(enteredFrom_).backCommand; }

void TfrmQelFree::setEnteredFrom(std::optional<ScreenKind> screen) {
    enteredFrom_ = screen;
    ribbon_->setSteps(freeScreenRoute(screen).steps);
}

void TfrmQelFree::attachToWindow() {
    auto* window = qobject_cast<QMainWindow*>(this->window());
    if (!window || hostedMenus_.inserted()) return;
    window_ = window;
    hostedMenus_.insert(*this, menus_);
    status_ = std::make_unique<FreeScreenStatusBar>(*window->statusBar());
}

void TfrmQelFree::load(TLabelData& document) {
    TActionList::instance().clear();
    document_ = &document;
    attachToWindow();
    if (status_) status_->sizePanels();
    copy_.takeSheetFrom(document);
    site().setGridGuide(&document.grid(), &document.guide());
    copy_.takeCurrentLabelFrom(document);
    view_->load(copy_);
    zoomChosen(zoom_->percent());
    site().show();
    activate();
    site().setFocus();
    refresh_->request();
}

bool TfrmQelFree::store(TLabelData& document) {
    if (!site().isModified()) return false;
    storeSiteObjects(site(), document, copy_.currentLabel());
    TActionList::instance().clear();
    return true;
}

bool TfrmQelFree::isModified() const { return site().isModified(); }

void TfrmQelFree::markSaved() { site().setModified(false); }

void TfrmQelFree::activate() {
    if (active_ || !document_) return;
    active_ = true;
    TDrawSite& drawSite = site();
    drawSite.snapFunction = drawSite.gridGuideSnap();
    drawSite.objectAdded = [this](TDrawObject& object) { objectAdded(object); };
}

void TfrmQelFree::close() {
    if (!active_) return;
    active_ = false;
    TDrawSite& drawSite = site();
    drawSite.clearGhosts();
    drawSite.snapFunction = nullptr;
    drawSite.objectAdded = nullptr;
    zoom_->remember(view_->scale());
    writeDefaultTextStyle(style_->defaultStyle());
    // The next screen's menus and panels take their place.
    hostedMenus_.remove();
    status_.reset();
}

void TfrmQelFree::showEvent(QShowEvent* event) {
    attachToWindow();
    activate();
    Screen::showEvent(event);
}

void TfrmQelFree::hideEvent(QHideEvent* event) {
    // Replaced by another screen or closed with the window (a minimised window comes back).
    if (!event->spontaneous()) close();
    Screen::hideEvent(event);
}

void TfrmQelFree::objectAdded(TDrawObject& object) {
    style_->styleNewObject(object);
    if (auto* faced = dynamic_cast<IDOFaceInfo*>(&object)) faced->setFaceInfo(view_->face());
}

void TfrmQelFree::zoomChosen(int percent) {
    if (percent == ScreenZoom::kAutomatic) {
        view_->setAutomatic(true);
    } else {
        view_->setScale(percent);
        view_->scrollToOrigin();
    }
    refresh_->request();
}

void TfrmQelFree::selectTool() {
    TDrawSite& drawSite = site();
    drawSite.clearGhosts();
    drawSite.setSiteCursor(Qt::ArrowCursor);
    refresh_->request();
}

void TfrmQelFree::runWindowCommand(const QString& name) {
    if (name.isEmpty() || !window_) return;
    if (auto* command = window_->findChild<QAction*>(name, Qt::FindDirectChildrenOnly)) command->trigger();
}

void TfrmQelFree::refreshNow() { refresh_->flush(); }

void TfrmQelFree::refresh() {
    TDrawSite& drawSite = site();
    drawSite.refreshHandles();
    if (status_) status_->show(freeScreenStatus(drawSite, pointer_), view_->scale());
    style_->synchronise();
    if (TGhostList::instance().isEmpty() && !TGhostList::instance().isStarted()) drawSite.setSiteCursor(Qt::ArrowCursor);
    commands_->updateStates();
}

bool TfrmQelFree::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            // After the box took its value.
            QMetaObject::invokeMethod(this, [this] { site().setFocus(); }, Qt::QueuedConnection);
    }
    return Screen::eventFilter(watched, event);
}

}  // namespace poremi
