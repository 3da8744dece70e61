#include "edit/edit_command_actions.h"

#include "document/model/action_history.h"
#include "document/model/label_object.h"
#include "document/model/object_placement.h"
#include "document/model/property_interfaces.h"
#include "edit/clipboard_objects.h"
#include "edit/draw_site_widget.h"

#include <QtCore/QMimeData>
#include <QtCore/QPointer>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>

#include <algorithm>

namespace poremi {

namespace {

TargetRule ruleOf(TActionType type, bool fromFront = false, QString actionString = {}) {
    TargetRule rule;
    rule.actionType = type;
    rule.fromFront = fromFront;
    rule.actionString = std::move(actionString);
    return rule;
}

TargetRule labelObjectRule(TActionType type, bool multiSelect = true) {
    TargetRule rule = ruleOf(type);
    rule.targetClassName = QStringLiteral("TLabelObject");
    rule.multiSelect = multiSelect;
    return rule;
}

const QMimeData* clipboardData() { return QGuiApplication::clipboard()->mimeData(); }

// Opening a menu with Alt+letter gives the menu bar the focus; its commands still mean the
// widget that had the focus before.
QPointer<QWidget>& focusBeforeMenuBar() {
    static QPointer<QWidget> widget;
    return widget;
}

}  // namespace

EditTarget focusedEditTarget() {
    QWidget* focused = QApplication::focusWidget();
    if (qobject_cast<QMenuBar*>(focused)) focused = focusBeforeMenuBar();
    if (!focused) return {};
    if (auto* site = qobject_cast<TDrawSite*>(focused)) return {site, nullptr};
    if (auto* edit = qobject_cast<QLineEdit*>(focused)) return {nullptr, edit};
    if (auto* combo = qobject_cast<QComboBox*>(focused); combo && combo->isEditable()) return {nullptr, combo->lineEdit()};
    return {};
}

// ---- the base ----

TDrawSiteActionBase::TDrawSiteActionBase(const QString& caption, const QKeySequence& shortcut, TargetRule rule,
                                         TextEditCommand textCommand, QObject* parent)
    : QAction(caption, parent), DrawSiteEdit(std::move(rule)), textCommand_(textCommand) {
    setShortcut(shortcut);
    connect(this, &QAction::triggered, this, &TDrawSiteActionBase::run);
}

void TDrawSiteActionBase::updateEnabled() {
    if (isRunning()) return;
    const EditTarget target = focusedEditTarget();
    bool enabled = false;
    if (target.site) {
        enabled = enabledOn(*target.site);
        list().clear();  // the objects may go before the next look
    } else if (target.lineEdit) {
        enabled = textEnabled(*target.lineEdit);
    }
    setEnabled(enabled);
}

void TDrawSiteActionBase::run() {
    const EditTarget target = focusedEditTarget();
    if (target.site)
        executeOn(*target.site);
    else if (target.lineEdit && textEnabled(*target.lineEdit))
        runText(*target.lineEdit);
}

void TDrawSiteActionBase::executeOn(DrawSite& site) {
    if (canExecute(site)) runTargets(site, TActionList::instance());
    list().clear();
}

bool TDrawSiteActionBase::textEnabled(const QLineEdit& edit) const {
    switch (textCommand_) {
    case TextEditCommand::None:
        return false;
    case TextEditCommand::Copy:
        return edit.hasSelectedText();
    case TextEditCommand::Cut:
    case TextEditCommand::Clear:
        return edit.hasSelectedText() && !edit.isReadOnly();
    case TextEditCommand::Paste: {
        const QMimeData* mime = clipboardData();
        return !edit.isReadOnly() && mime && mime->hasText();
    }
    case TextEditCommand::SelectAll:
        return !edit.text().isEmpty();
    case TextEditCommand::Undo:
        return edit.isUndoAvailable();
    }
    return false;
}

void TDrawSiteActionBase::runText(QLineEdit& edit) const {
    switch (textCommand_) {
    case TextEditCommand::None: break;
    case TextEditCommand::Cut: edit.cut(); break;
    case TextEditCommand::Copy: edit.copy(); break;
    case TextEditCommand::Paste: edit.paste(); break;
    case TextEditCommand::Clear: edit.del(); break;
    case TextEditCommand::SelectAll: edit.selectAll(); break;
    case TextEditCommand::Undo: edit.undo(); break;
    }
}

// ---- layering ----

TDSABringToFront::TDSABringToFront(QObject* parent)
    : TDrawSiteActionBase(QStringLiteral("前面に移動(&W)"), QKeySequence(Qt::CTRL | Qt::Key_F),
                          ruleOf(atLayer, false, QStringLiteral("最前面")), TextEditCommand::None, parent) {}

void TDSABringToFront::eachObject(DrawSite&, TDrawObject& object) { object.bringToFrontInLayer(); }

TDSASendToBack::TDSASendToBack(QObject* parent)
    : TDrawSiteActionBase(QStringLiteral("背面に移動(&K)"), QKeySequence(Qt::CTRL | Qt::Key_B), ruleOf(atLayer, true),
                          TextEditCommand::None, parent) {}

void TDSASendToBack::eachObject(DrawSite&, TDrawObject& object) { object.sendToBackInLayer(); }

// ---- clipboard ----

TDSACopy::TDSACopy(QObject* parent)
    : TDrawSiteActionBase(QStringLiteral("コピー(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C), ruleOf(atNone),
                          TextEditCommand::Copy, parent) {}

void TDSACopy::executeFirst(DrawSite&) {
    QGuiApplication::clipboard()->setMimeData(objectsMimeData(targets().items()).release());
}

TDSAClear::TDSAClear(QObject* parent)
    : TDSAClear(QStringLiteral("クリア(&D)"), QKeySequence(Qt::Key_Delete), TextEditCommand::Clear, parent) {}

TDSAClear::TDSAClear(const QString& caption, const QKeySequence& shortcut, TextEditCommand textCommand, QObject* parent)
    : TDrawSiteActionBase(caption, shortcut, ruleOf(atDelete), textCommand, parent) {}

void TDSAClear::eachObject(DrawSite&, TDrawObject& object) { object.changed(); }

TDSACut::TDSACut(QObject* parent)
    : TDSAClear(QStringLiteral("切り取り(&T)"), QKeySequence(Qt::CTRL | Qt::Key_X), TextEditCommand::Cut, parent) {}

void TDSACut::executeFirst(DrawSite&) {
    QGuiApplication::clipboard()->setMimeData(objectsMimeData(targets().items()).release());
}

TDSAPaste::TDSAPaste(QObject* parent)
    : TDrawSiteActionBase(QStringLiteral("貼り付け(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V), ruleOf(atAdd),
                          TextEditCommand::Paste, parent) {}

bool TDSAPaste::enabledOn(DrawSite&) { return canPasteFrom(clipboardData()); }

void TDSAPaste::makeList(DrawSite& site) {
    list().clear();
    pending_.clear();
    const QMimeData* mime = clipboardData();
    if (!mime) return;
    pending_ = readClipboardObjects(*mime);
    std::vector<TDrawObject*> read;
    for (const auto& object : pending_) read.push_back(object.get());
    const QSize area = site.logicalSize();
    keepObjectsOnFace(read, {0, 0, area.width(), area.height()});
    for (TDrawObject* object : read) list().add(object);
}

void TDSAPaste::executeOn(DrawSite& site) {
    // Whatever was read and not added is freed, also when a step fails.
    struct Release {
        TDSAPaste& paste;
        ~Release() {
            paste.list().clear();
            paste.pending_.clear();
        }
    } release{*this};
    RunningScope running(*this);
    makeList(site);
    if (listFitsRule()) {
        runTargets(site, TActionList::instance());
    } else if (const QMimeData* mime = clipboardData()) {
        pasteAsNewObject(site, *mime);
    }
}

void TDSAPaste::executeFirst(DrawSite& site) { site.deselectAll(); }

void TDSAPaste::eachObject(DrawSite& site, TDrawObject& object) {
    const auto owned = std::find_if(pending_.begin(), pending_.end(), [&](const auto& p) { return p.get() == &object; });
    if (owned == pending_.end()) return;  // already on the site
    site.insertComponent(owned->release());
    pending_.erase(owned);
    site.addDrawObject(object);
    object.setSelected(true);
}

// ---- selection, locking, printing, writing direction ----

TDSASelectAll::TDSASelectAll(QObject* parent)
    : TDrawSiteActionBase(QStringLiteral("すべて選択(&A)"), QKeySequence(Qt::CTRL | Qt::Key_A), [] {
          TargetRule rule;
          rule.selectedOnly = false;
          return rule;
      }(), TextEditCommand::SelectAll, parent) {}

bool TDSASelectAll::acceptsTarget(const TDrawObject& object) const { return object.selectable(); }

void TDSASelectAll::eachObject(DrawSite&, TDrawObject& object) { object.setSelected(true); }

TDSALock::TDSALock(bool lock, QObject* parent)
    : TDrawSiteActionBase(lock ? QStringLiteral("固定する(&O)") : QStringLiteral("固定しない(&U)"), {}, ruleOf(atChange),
                          TextEditCommand::None, parent),
      lock_(lock) {}

bool TDSALock::acceptsTarget(const TDrawObject& object) const { return object.movable() == lock_; }

void TDSALock::eachObject(DrawSite&, TDrawObject& object) { object.setMovable(!lock_); }

TDSAUndo::TDSAUndo(bool redo, QObject* parent)
    : TDrawSiteActionBase(redo ? QStringLiteral("やり直し(&R)") : QStringLiteral("取り消し(&U)"),
                          redo ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) : QKeySequence(Qt::CTRL | Qt::Key_Z),
                          ruleOf(atNone), redo ? TextEditCommand::None : TextEditCommand::Undo, parent),
      redo_(redo) {}

bool TDSAUndo::enabledOn(DrawSite&) {
    const TActionList& history = TActionList::instance();
    return redo_ ? history.canRedo() : history.canUndo();
}

void TDSAUndo::executeOn(DrawSite& site) {
    if (!enabledOn(site)) return;
    site.deselectAll();
    TActionList& history = TActionList::instance();
    redo_ ? history.redo() : history.undo();
}

TDSADontPrint::TDSADontPrint(bool dontPrint, QObject* parent)
    : TDrawSiteActionBase(dontPrint ? QStringLiteral("印刷禁止にする(&N)") : QStringLiteral("印刷禁止にしない(&I)"), {},
                          labelObjectRule(atChange), TextEditCommand::None, parent),
      dontPrint_(dontPrint) {}

bool TDSADontPrint::acceptsTarget(const TDrawObject& object) const {
    const auto* label = dynamic_cast<const TLabelObject*>(&object);
    return label && label->dontPrint() != dontPrint_;
}

void TDSADontPrint::eachObject(DrawSite&, TDrawObject& object) {
    static_cast<TLabelObject&>(object).setDontPrint(dontPrint_);
}

TDSAVertText::TDSAVertText(bool vertical, QObject* parent)
    : TDrawSiteActionBase(vertical ? QStringLiteral("縦書き(&V)") : QStringLiteral("横書き(&H)"), {}, ruleOf(atChange),
                          TextEditCommand::None, parent),
      vertical_(vertical) {}

bool TDSAVertText::acceptsTarget(const TDrawObject& object) const {
    const auto* writing = dynamic_cast<const IDOVertical*>(&object);
    return writing && writing->vertical() != vertical_;
}

void TDSAVertText::eachObject(DrawSite&, TDrawObject& object) {
    dynamic_cast<IDOVertical&>(object).setVertical(vertical_);
}

TDSAEditProperty::TDSAEditProperty(QObject* parent)
    : TDrawSiteActionBase(QStringLiteral("プロパティ(&O)"), {}, labelObjectRule(atNone, false), TextEditCommand::None,
                          parent) {}

void TDSAEditProperty::eachObject(DrawSite&, TDrawObject& object) { static_cast<TLabelObject&>(object).edit(); }

TDSAOffsetAngle::TDSAOffsetAngle(const QString& caption, int offsetAngle, QObject* parent)
    : TDrawSiteActionBase(caption, {}, ruleOf(atChange), TextEditCommand::None, parent), offsetAngle_(offsetAngle) {}

bool TDSAOffsetAngle::acceptsTarget(const TDrawObject& object) const {
    return dynamic_cast<const IDOAngle*>(&object) != nullptr;
}

void TDSAOffsetAngle::eachObject(DrawSite&, TDrawObject& object) {
    auto& turning = dynamic_cast<IDOAngle&>(object);
    // In whole turns the angle stays within one.
    turning.setAngle(int((qint64(turning.angle()) + offsetAngle_) % 360 + 360) % 360);
}

// ---- the set ----

template <class Action, class... Args>
Action* EditCommands::make(Args&&... args) {
    auto* action = new Action(std::forward<Args>(args)..., this);
    add(*action);
    return action;
}

EditCommands::EditCommands(QObject* parent)
    : QObject(parent) {
    bringToFront = make<TDSABringToFront>();
    sendToBack = make<TDSASendToBack>();
    copy = make<TDSACopy>();
    cut = make<TDSACut>();
    clear = make<TDSAClear>();
    paste = make<TDSAPaste>();
    selectAll = make<TDSASelectAll>();
    lock = make<TDSALock>(true);
    unlock = make<TDSALock>(false);
    undo = make<TDSAUndo>(false);
    redo = make<TDSAUndo>(true);
    dontPrint = make<TDSADontPrint>(true);
    doPrint = make<TDSADontPrint>(false);
    vertText = make<TDSAVertText>(true);
    horzText = make<TDSAVertText>(false);
    editProperty = make<TDSAEditProperty>();
    connect(qApp, &QApplication::focusChanged, this, [](QWidget* old, QWidget* now) {
        if (qobject_cast<QMenuBar*>(now) && !qobject_cast<QMenuBar*>(old)) focusBeforeMenuBar() = old;
    });
    connect(qApp, &QApplication::focusChanged, this, &EditCommands::updateStates);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &EditCommands::updateStates);
    updateStates();
}

void EditCommands::add(TDrawSiteActionBase& action) {
    actions_.push_back(&action);
    // After the command ran: the history and the clipboard may have changed.
    connect(&action, &QAction::triggered, this, &EditCommands::updateStates);
    action.updateEnabled();
}

void EditCommands::watchSite(TDrawSite& site) {
    connect(&site, &TDrawSite::selectionChanged, this, &EditCommands::updateStates);
}

void EditCommands::watchMenu(QMenu& menu) { connect(&menu, &QMenu::aboutToShow, this, &EditCommands::updateStates); }

void EditCommands::updateStates() {
    for (TDrawSiteActionBase* action : actions_) action->updateEnabled();
}

}  // namespace poremi
