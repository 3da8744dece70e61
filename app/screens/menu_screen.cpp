#include "app/screens/menu_screen.h"

#include "app/screens/face_site.h"
#include "app/screens/main_window.h"
#include "app/screens/menu_label_step.h"
#include "app/screens/menu_sheet_site.h"
#include "app/screens/screen_zoom.h"
#include "base/format.h"
#include "base/user_interface.h"
#include "core/app_frame.h"
#include "document/model/action_history.h"
#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/label_data.h"
#include "document/model/label_transfer.h"
#include "document/model/object_list.h"
#include "paper/database/extra_paper_info.h"
#include "paper/paper_info.h"

#include <QtCore/QEvent>
#include <QtCore/QMimeData>
#include <QtCore/QPointer>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QVBoxLayout>


namespace poremi {
namespace {

// Room left around the fitted sheet, in pixels.
constexpr int kSheetMargin = 8;
constexpr int kPanelWidth = 176;

QString applicationTitle() {
    TAppFrame* frame = TAppFrame::instance();
    return frame ? frame->expandMacros(QStringLiteral("$(AppName)")) : QString();
}

}  // namespace

TfrmQelMenu::TfrmQelMenu(QWidget* parent) : Screen(parent), zoom_(new ScreenZoom(ScreenKind::Menu, this)) {
    setObjectName(QStringLiteral("frmQelMenu"));
    TActionList::instance().clear();
    TActionList::instance().setRepeatMode(false);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("SheetScrollBox"));
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setFrameShape(QFrame::StyledPanel);
    scroll_->setBackgroundRole(QPalette::Dark);
    site_ = new TMenuSheetSite;
    site_->setObjectName(QStringLiteral("MenuSheetSite"));
    scroll_->setWidget(site_);
    scroll_->viewport()->installEventFilter(this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeButtonPanel());
    layout->addWidget(scroll_, 1);

    makeMenus();
    connect(site_, &TMenuSheetSite::faceChosen, this, &TfrmQelMenu::chooseLabel);
    connect(site_, &TMenuSheetSite::labelDropped, this, &TfrmQelMenu::dropLabel);
    connect(site_, &TMenuSheetSite::faceDoubleClicked, this, [this] { runCommand("actQelEditFree"); });
    connect(site_, &TMenuSheetSite::faceMenuRequested, this, &TfrmQelMenu::showFaceMenu);
    connect(zoom_, &ScreenZoom::chosen, this, [this] { applyZoom(); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TfrmQelMenu::updateCommands);
    updateCommands();
}

TfrmQelMenu::~TfrmQelMenu() { zoom_->remember(site_->scaler().scale()); }

QWidget* TfrmQelMenu::makeButtonPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("MenuButtonPanel"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFixedWidth(kPanelWidth);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(10, 12, 10, 12);
    column->setSpacing(8);

    auto* heading = new QLabel(QStringLiteral("ラベルの作り方"), panel);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    column->addWidget(heading);
    const auto addButton = [&](const QString& caption, const char* command, const QString& objectName) {
        auto* button = new QPushButton(caption, panel);
        button->setObjectName(objectName);
        button->setMinimumHeight(36);
        connect(button, &QPushButton::clicked, this, [this, command] { runCommand(command); });
        column->addWidget(button);
        buttons_.emplace_back(button, command);
        return button;
    };
    addButton(QStringLiteral("テンプレート"), "actQelEditTemplate", QStringLiteral("btnTemplate"));
    addButton(QStringLiteral("イメージから"), "actQelEditImage", QStringLiteral("btnImage"));
    addButton(QStringLiteral("自由に作る"), "actQelEditFree", QStringLiteral("btnFree"));
    column->addSpacing(12);
    addButton(QStringLiteral("印刷"), "actPrint", QStringLiteral("btnPrint"));
    addButton(QStringLiteral("用紙を変更"), "actSelectPaper", QStringLiteral("btnPaper"));
    column->addStretch(1);

    auto* paperBox = new QFrame(panel);
    paperBox->setFrameShape(QFrame::StyledPanel);
    auto* paperLines = new QVBoxLayout(paperBox);
    paperLines->setContentsMargins(6, 6, 6, 6);
    maker_ = new QLabel(paperBox);
    maker_->setObjectName(QStringLiteral("lblMaker"));
    model_ = new QLabel(paperBox);
    model_->setObjectName(QStringLiteral("lblModel"));
    for (QLabel* line : {maker_, model_}) {
        line->setWordWrap(true);
        paperLines->addWidget(line);
    }
    column->addWidget(paperBox);
    column->addSpacing(8);
    QPushButton* exit = addButton(QStringLiteral("終了"), "actExit", QStringLiteral("btnExit"));
    exit->setToolTip(format(QStringLiteral("%sを終了します"), {applicationTitle()}));
    return panel;
}

void TfrmQelMenu::makeMenus() {
    const auto command = [this](const QString& caption, const QKeySequence& shortcut, auto handler) {
        auto* action = new QAction(caption, this);
        action->setShortcut(shortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    actUndo = command(QStringLiteral("取り消し(&U)"), QKeySequence(Qt::CTRL | Qt::Key_Z), [this] {
        TActionList::instance().undo();
        updateCommands();
    });
    actRedo = command(QStringLiteral("やり直し(&R)"), QKeySequence(), [this] {
        TActionList::instance().redo();
        updateCommands();
    });
    actCut = command(QStringLiteral("切り取り(&T)"), QKeySequence(Qt::CTRL | Qt::Key_X), [this] { cutLabel(); });
    actCopy = command(QStringLiteral("コピー(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C), [this] { copyLabel(); });
    actPaste = command(QStringLiteral("貼り付け(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V), [this] { pasteLabel(); });
    actClear = command(QStringLiteral("クリア(&D)"), QKeySequence(Qt::Key_Delete), [this] { clearLabel(); });

    editMenu_ = new QMenu(QStringLiteral("編集(&E)"), this);
    editMenu_->setObjectName(QStringLiteral("MenuScreenEditMenu"));
    editMenu_->addActions({actUndo, actRedo});
    editMenu_->addSeparator();
    editMenu_->addActions({actCut, actCopy, actPaste, actClear});
    connect(editMenu_, &QMenu::aboutToShow, this, [this] {
        site_->cancelLabelDrag();
        updateCommands();
    });

    viewMenu_ = new QMenu(QStringLiteral("表示(&V)"), this);
    viewMenu_->setObjectName(QStringLiteral("MenuScreenViewMenu"));
    viewMenu_->addActions(zoom_->actions());
}

bool TfrmQelMenu::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange) {
        hostedMenus_.insert(*this, {editMenu_, viewMenu_});
        if (auto* main = qobject_cast<TfrmMain*>(window())) {
            if (QAction* exit = main->action(QStringLiteral("actExit")))
                exit->setStatusTip(applicationTitle() + QStringLiteral("を終了します"));
            for (const auto& [button, name] : buttons_) {
                QAction* command = main->action(QString::fromLatin1(name));
                if (!command) continue;
                const auto follow = [button = button, command] { button->setEnabled(command->isEnabled()); };
                connect(command, &QAction::changed, button, follow);
                follow();
            }
        }
    }
    return Screen::event(event);
}

void TfrmQelMenu::hideEvent(QHideEvent* event) {
    // Hidden on purpose (replaced by another screen), not with its window.
    if (parentWidget() && !isVisibleTo(parentWidget())) hostedMenus_.remove();
    Screen::hideEvent(event);
}

bool TfrmQelMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize && zoom_->automatic()) fitSheet();
    return Screen::eventFilter(watched, event);
}

void TfrmQelMenu::runCommand(const char* name) {
    auto* main = qobject_cast<TfrmMain*>(window());
    QAction* command = main ? main->action(QString::fromLatin1(name)) : nullptr;
    if (command && command->isEnabled()) command->trigger();
}

// ---- the screen protocol ----------------------------------------------------------------

void TfrmQelMenu::load(TLabelData& document) {
    TActionList::instance().clear();
    document_ = &document;
    copy_.takeSheetFrom(document);
    TLabelData& copy = copy_.data();
    const TPaperInfo* paper = copy.Paper();
    site_->setEnabled(copy.separatelyDesign());
    const int faces = paper ? paper->getFaceCount() : 0;
    unreadable_.clear();
    for (int face = 0; face < faces; ++face) {
        copy.DeleteLabel(face);
        try {
            if (document.HasLabelData(face)) copyLabelDesign(document, face, copy);
        } catch (const std::exception&) {
            // Shown empty; storing leaves the document's own bytes of the face alone.
            unreadable_.push_back(face);
        }
    }
    rebuildSheet();
    copy.setModified(false);
    maker_->setText(makerText());
    model_->setText(modelText());
    applyZoom();
    if (auto* main = qobject_cast<QMainWindow*>(window())) main->statusBar()->clearMessage();
    updateCommands();
}

bool TfrmQelMenu::store(TLabelData& document) {
    bool wrote = false;
    if (copy_.data().modified()) {
        site_->cancelLabelDrag();
        copy_.giveSheetTo(document);
        TLabelData& copy = copy_.data();
        const int faces = copy.Paper() ? copy.Paper()->getFaceCount() : 0;
        for (int face = 0; face < faces; ++face) {
            // A face without a design stays without one, rather than holding an empty list.
            if (std::ranges::find(unreadable_, face) != unreadable_.end() && !copy.HasLabelData(face)) continue;
            if (copy.HasLabelData(face))
                copyLabelDesign(copy, face, document);
            else
                document.DeleteLabel(face);
        }
        TActionList::instance().clear();
        wrote = true;
    }
    document.setCurrentLabelNo(copy_.currentLabel());
    return wrote;
}

bool TfrmQelMenu::isModified() const { return copy_.data().modified(); }

void TfrmQelMenu::markSaved() { copy_.data().setModified(false); }

QString TfrmQelMenu::makerText() const {
    return format(QStringLiteral("メーカー：%s"), {copy_.data().ExtraPaperInfo().company()});
}

QString TfrmQelMenu::modelText() const {
    const TPaperInfo* paper = copy_.data().Paper();
    return format(QStringLiteral("型番：%s"), {paper ? paper->paperName() : QString()});
}

// ---- the sheet -------------------------------------------------------------------------

void TfrmQelMenu::rebuildSheet() {
    site_->clearSheet();
    TLabelData& copy = copy_.data();
    const TPaperInfo* paper = copy.Paper();
    if (!paper) {
        site_->setLogSize(0, 0);
        return;
    }
    site_->setLogSize(paper->width(), paper->height());
    for (int face = 0; face < paper->getFaceCount(); ++face) {
        const TRect outer = paper->getFaceOuterRect(face);
        std::vector<TDrawObject*> shown = makeTemplateObjects(copy, face, *site_);
        TDOList design;
        copy.LoadLabelObjects(face, design);
        for (TDrawObject* object : design.items()) {
            site_->insertComponent(object);
            shown.push_back(object);
        }
        // Designs are kept relative to their face.
        for (TDrawObject* object : shown) {
            if (auto* movable = dynamic_cast<IDOMovable*>(object)) movable->moveBy(outer.left, outer.top);
            object->setSelectable(false);
            object->setEnabled(false);
            site_->addDrawObject(*object);
        }
    }
    for (int face = 0; face < paper->getFaceCount(); ++face)
        site_->addFace(new TLOFaceForSheet(nullptr, paper->getFaceInfo(face), face));
    if (site_->isEnabled()) site_->chooseFace(copy_.currentLabel());
    site_->setModified(false);
    site_->invalidateObjects();
}

void TfrmQelMenu::applyZoom() {
    const Qt::ScrollBarPolicy bars = zoom_->automatic() ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    scroll_->setHorizontalScrollBarPolicy(bars);
    scroll_->setVerticalScrollBarPolicy(bars);
    if (zoom_->automatic())
        fitSheet();
    else
        site_->scaler().setScale(zoom_->percent());
}

void TfrmQelMenu::fitSheet() {
    const QSize room = scroll_->viewport()->size() - QSize(2 * kSheetMargin, 2 * kSheetMargin);
    site_->scaler().setScale(site_->fitScale(room.expandedTo(QSize(1, 1)), true, true));
}

void TfrmQelMenu::chooseLabel(int face) {
    copy_.data().setCurrentLabelNo(face);
    if (document_) document_->setCurrentLabelNo(face);
    updateCommands();
}

bool TfrmQelMenu::hasCurrentLabel() {
    TLabelData& copy = copy_.data();
    return copy.Paper() && copy.Paper()->getFaceCount() > 0 && copy.HasLabelData(copy_.currentLabel());
}

void TfrmQelMenu::updateCommands() {
    const bool editable = site_->isEnabled() && copy_.data().Paper() && copy_.data().Paper()->getFaceCount() > 0;
    const bool labelled = editable && hasCurrentLabel();
    actCut->setEnabled(labelled);
    actCopy->setEnabled(labelled);
    actClear->setEnabled(labelled);
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    actPaste->setEnabled(editable && clip && clip->hasFormat(QString::fromLatin1(kSheetLabelMimeType)));
    actUndo->setEnabled(TActionList::instance().canUndo());
    actRedo->setEnabled(TActionList::instance().canRedo());
}

// ---- label operations ------------------------------------------------------------------

bool TfrmQelMenu::ask(const QString& text) const {
    return userInterface().messageBox(applicationTitle(), text, {MessageButton::Yes, MessageButton::No}, 0, 1) == mrYes;
}

template <class Operation>
void TfrmQelMenu::recordLabelEdit(const std::vector<int>& faces, Operation operation) {
    TLabelData& copy = copy_.data();
    auto before = std::make_unique<FaceDesigns>(copy, faces);
    if (operation()) {
        auto after = std::make_unique<FaceDesigns>(copy, faces);
        QPointer<TfrmQelMenu> screen(this);
        TActionList::instance().addAction(std::make_unique<TMenuLabelAction>(
            std::move(before), std::move(after), [screen](const FaceDesigns& designs) {
                if (screen) screen->restoreDesigns(designs);
            }));
        rebuildSheet();
    }
    updateCommands();
}

void TfrmQelMenu::restoreDesigns(const FaceDesigns& designs) {
    designs.restoreTo(copy_.data());
    rebuildSheet();
    updateCommands();
}

void TfrmQelMenu::dropLabel(int target, bool move) {
    const int source = copy_.currentLabel();
    const TPaperInfo* paper = copy_.data().Paper();
    if (!site_->isEnabled() || !paper || target < 0 || target >= paper->getFaceCount() || target == source) return;
    if (!copy_.data().HasLabelData(source)) return;
    recordLabelEdit({source, target}, [&] {
        return poremi::dragLabel(copy_.data(), source, target, move, [this](const QString& text) { return ask(text); });
    });
}

void TfrmQelMenu::copyLabel() {
    if (!actCopy->isEnabled()) return;
    if (std::unique_ptr<QMimeData> clip = poremi::copyLabel(copy_.data(), copy_.currentLabel()))
        QGuiApplication::clipboard()->setMimeData(clip.release());
    updateCommands();
}

void TfrmQelMenu::cutLabel() {
    if (!actCut->isEnabled()) return;
    const int face = copy_.currentLabel();
    recordLabelEdit({face}, [&] {
        std::unique_ptr<QMimeData> clip =
            poremi::cutLabel(copy_.data(), face, [this](const QString& text) { return ask(text); });
        if (!clip) return false;
        QGuiApplication::clipboard()->setMimeData(clip.release());
        return true;
    });
}

void TfrmQelMenu::clearLabel() {
    if (!actClear->isEnabled()) return;
    const int face = copy_.currentLabel();
    recordLabelEdit({face}, [&] {
        return poremi::deleteLabel(copy_.data(), face, [this](const QString& text) { return ask(text); });
    });
}

void TfrmQelMenu::pasteLabel() {
    if (!actPaste->isEnabled()) return;
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    if (!clip) return;
    const int face = copy_.currentLabel();
    recordLabelEdit({face}, [&] {
        return poremi::pasteLabel(copy_.data(), face, *clip, [this](const QString& text) { return ask(text); });
    });
}

void TfrmQelMenu::showFaceMenu(QPoint global, int face) {
    if (face >= 0 && site_->isEnabled()) {
        site_->chooseFace(face);
        chooseLabel(face);
    }
    editMenu_->popup(global);
}

}  // namespace poremi
